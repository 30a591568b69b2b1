#include "fonts/font_handle.h"
#include "skin/surface/draw_text.h"

#include <benchmark/benchmark.h>

namespace stellaro {

namespace {

void BM_DrawTextLabel40(benchmark::State& state)
{
    FontDesc desc = default_font_desc(1);
    desc.size = 10;
    desc.face = u"DejaVu Sans";
    const FontHandle font(desc);
    RenderSurface surface(Size{400, 40});
    surface.apply({0, 0}, {400, 40}, SolidFiller(Pixel{0x0010}));
    const std::u16string label = u"Alpha Centauri, Rigil Kentaurus in Cent."; // 40 characters
    for (auto _ : state)
        draw_text(font, surface, Colour{255, 255, 255}, label, {4, 4}, {390, 30}, HALIGN_CENTER, VALIGN_VCENTER,
                  false);
}
BENCHMARK(BM_DrawTextLabel40);

void BM_MeasureLabel40(benchmark::State& state)
{
    FontDesc desc = default_font_desc(1);
    desc.face = u"DejaVu Sans";
    FontRep font(desc);
    const std::u16string label = u"Alpha Centauri, Rigil Kentaurus in Cent.";
    for (auto _ : state)
        benchmark::DoNotOptimize(font.measure(label, 0));
}
BENCHMARK(BM_MeasureLabel40);

} // namespace

} // namespace stellaro
