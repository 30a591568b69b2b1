#include "skin/elements/element.h"
#include "skin/kinds/vlist.h"
#include "skin/surface/render_surface.h"
#include "skin/surface/span_filler.h"

#include <benchmark/benchmark.h>

namespace stellaro {

namespace {

constexpr Size SCREEN{480, 800};
constexpr int32_t ROW_PX = 40;

// A row that fills itself, with a darker band as a separator.
class FilledRow : public VListItem {
public:
    using VListItem::VListItem;
    void bind(VList&, bool) override { design_size = {0, ROW_PX}; }
    void paint(RenderSurface& surface, Point origin) override
    {
        surface.apply(origin, {width(), height() - 1}, SolidFiller(index() % 2 ? 0x18C6 : 0x2108));
        surface.apply(origin + Point{0, height() - 1}, {width(), 1}, SolidFiller(0x0841));
    }
};

class Rows : public VListSource {
public:
    void item_clicked(VList&, int32_t) override {}
    std::unique_ptr<VListItem> create_item(VList& list, int32_t) override
    {
        ++made;
        return std::make_unique<FilledRow>(&list);
    }
    int64_t made = 0;
};

// One frame per iteration: the finger drags the list up by a whole screen, then the list updates
// and paints into a 480 x 800 surface. Every frame realizes a screenful of new rows and drops the
// old ones; at the end the list starts again from the top.
void scroll_by_screens(benchmark::State& state)
{
    const auto count = static_cast<int32_t>(state.range(0));
    Element screen;
    auto owned = std::make_unique<VList>(&screen);
    VList& list = *owned;
    list.set_visible(true);
    screen.add_child(std::move(owned));
    screen.set_visible(true);
    screen.set_horizontal(0, SCREEN.width);
    screen.set_vertical(0, SCREEN.height);
    Rows rows;
    list.set_source(&rows, count);
    RenderSurface surface(SCREEN);

    PointerEvent finger;
    finger.x = 240;
    uint32_t time_ms = 0;
    const auto press = [&] {
        finger.y = 0;
        finger.down = true;
        finger.time = time_ms;
        list.on_pointer_button(finger);
    };
    press();
    for (auto _ : state) {
        if (list.first_index() + 2 * SCREEN.height / ROW_PX >= count) {
            list.scroll_to(0);
            press();
        }
        time_ms += 40;
        finger.y -= SCREEN.height;
        finger.time = time_ms;
        list.on_pointer_move(finger);
        list.update(0.04);
        list.draw(surface, {0, 0});
        benchmark::DoNotOptimize(surface.buffer());
    }
    state.counters["rows"] = static_cast<double>(list.realized_count());
    state.counters["made/frame"] = static_cast<double>(rows.made) / static_cast<double>(state.iterations());
}
BENCHMARK(scroll_by_screens)->Name("BM_ListScrollScreenPerFrame")->Arg(250)->Arg(25000)->Unit(benchmark::kMicrosecond);

} // namespace

} // namespace stellaro
