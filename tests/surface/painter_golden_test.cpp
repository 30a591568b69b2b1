#include "fonts/font_handle.h"
#include "skin/surface/draw_text.h"
#include "support/golden.h"
#include "surface/surface_test_support.h"

#include <gtest/gtest.h>

namespace stellaro {

namespace {

// A source holding, per 8-row band, opaque-flagged colours, partial (unflagged) colours, the
// transparent key and plain grey ramps.
RenderSurface family_source()
{
    RenderSurface source(Size{32, 32});
    paint_pattern(source, [](int32_t x, int32_t y) -> Pixel {
        const auto ramp = static_cast<uint8_t>(x * 8);
        switch (y / 8) {
        case 0: return static_cast<Pixel>(rgb565(ramp, 255 - ramp, 128) | OPAQUE_FLAG);
        case 1: return static_cast<Pixel>(rgb565(ramp / 2, ramp / 4, 64) & ~OPAQUE_FLAG);
        case 2: return (x / 4) % 2 ? TRANSPARENT_KEY : rgb565(255, 255, 0);
        default: return rgb565(ramp, ramp, ramp);
        }
    });
    return source;
}

} // namespace

TEST(PainterGolden, EveryFamilyOverTheSameBackground)
{
    RenderSurface sheet(Size{8 * 40, 2 * 40 + 20 + 40});
    paint_pattern(sheet, [](int32_t x, int32_t y) {
        return ((x / 5 + y / 5) % 2) ? rgb565(30, 90, 200) : rgb565(230, 120, 40);
    });
    const RenderSurface source = family_source();
    const std::unique_ptr<SpanPainter> made[] = {tint_painter(256, 128, 64), tint_or_keep_painter(256, 256, 0),
                                                 tint_or_painter(0, 128, 256), adjustable_add_painter(0x100),
                                                 adjustable_add_painter(0xC0), tinted_lighten_painter(64, 128, 256),
                                                 alpha_painter(128)};
    const SpanPainter* painters[] = {&colour_key_painter(), &add_quarter_painter(), &add_half_painter(),
                                     &add_three_quarters_painter(), &opaque_only_painter(), &change_mark_painter(),
                                     &plain_copy_painter(), &or_painter(), &lighten_painter(), made[0].get(),
                                     made[1].get(), made[2].get(), made[3].get(), made[4].get(), made[5].get(),
                                     made[6].get()};
    for (int i = 0; i < 16; ++i)
        sheet.draw(source, {4 + (i % 8) * 40, 4 + (i / 8) * 40}, *painters[i]);
    for (int32_t k = 0; k <= 16; ++k)
        sheet.apply({4 + k * 18, 84}, {18, 14}, *dim_filler(k * 16));

    FontDesc desc = default_font_desc(2);
    desc.size = 10;
    desc.face = u"DejaVu Sans";
    draw_text(FontHandle(desc), sheet, Colour{255, 255, 255}, u"Scale 2: Ωμέγα Жёлтый", {4, 100}, {312, 36},
              HALIGN_CENTER, VALIGN_VCENTER, false);
    EXPECT_TRUE(matches_golden(picture_of(*sheet.buffer()), "painter_families.png"));
}

} // namespace stellaro
