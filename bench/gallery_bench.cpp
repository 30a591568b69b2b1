#include "screens/gallery_screen.h"
#include "skin/io/paths.h"
#include "skin/kinds/toolkit_kinds.h"
#include "skin/surface/render_surface.h"

#include <benchmark/benchmark.h>

namespace stellaro {

namespace {

// The compiled default skin beside the program (the benchmark lives in a sibling folder).
std::u16string gallery_skin() { return dir_part(get_app_path()) + u"../bin/skins/bin/default.skin"; }

// Lays the whole gallery out afresh and paints it, once per iteration, at the window size given
// as the two arguments: what a frame costs after a resize or a skin reload.
void lay_out_and_paint_gallery(benchmark::State& state)
{
    const Size size{static_cast<int32_t>(state.range(0)), static_cast<int32_t>(state.range(1))};
    const std::vector<std::unique_ptr<NodeRegistration>> kinds = register_toolkit_kinds();
    Properties properties;
    if (!properties.load_skin(gallery_skin(), 96)) {
        state.SkipWithError("default.skin is missing: build the program first");
        return;
    }
    GalleryScreen screen;
    screen.build(properties);
    RenderSurface surface(size);
    for (auto _ : state) {
        screen.invalidate_measure();
        screen.set_horizontal(0, size.width);
        screen.set_vertical(0, size.height);
        screen.draw(surface, {0, 0});
        benchmark::DoNotOptimize(surface.buffer());
    }
}
BENCHMARK(lay_out_and_paint_gallery)->Args({480, 800})->Args({1920, 1080})->Unit(benchmark::kMicrosecond);

} // namespace

} // namespace stellaro
