#include "fonts/font_handle.h"
#include "fonts/font_rep.h"
#include "skin/surface/draw_text.h"
#include "skin/surface/render_surface.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace stellaro {

namespace {

FontDesc dejavu(int32_t size, int32_t scale = 1)
{
    FontDesc desc = default_font_desc(scale);
    desc.size = size;
    desc.face = u"DejaVu Sans";
    return desc;
}

RenderSurface blank(Size size, Pixel background)
{
    RenderSurface surface(size);
    surface.apply({0, 0}, size, SolidFiller(background));
    return surface;
}

// Pixels other than the background in columns [from, to) (the whole width by default).
int32_t count_changed(const RenderSurface& surface, Pixel background, int32_t from = 0, int32_t to = -1)
{
    int32_t count = 0;
    for (int32_t y = 0; y < surface.size().height; ++y)
        for (int32_t x = from; x < (to < 0 ? surface.size().width : to); ++x)
            count += surface.pixel({x, y}) != background;
    return count;
}

// White text at the top left of a black surface of the size.
RenderSurface drawn(const FontHandle& font, Size size, std::u16string_view text)
{
    RenderSurface surface = blank(size, 0);
    draw_text(font, surface, Colour{255, 255, 255}, text, {0, 0}, size, 0, 0, false);
    return surface;
}

} // namespace

TEST(FontRep, CreatesFacesWithMetricsAndSizeZeroStillMeasures)
{
    FontRep font(dejavu(10));
    EXPECT_TRUE(font.has_font());
    EXPECT_GE(font.line_height(), 13);
    EXPECT_LE(font.line_height(), 20);
    EXPECT_GT(font.descent(), 0);
    FontRep doubled(dejavu(10, 2));
    EXPECT_GT(doubled.line_height(), font.line_height() * 3 / 2);
    // A face that is not installed falls back to an installed sans face.
    FontRep tahoma(default_font_desc(1));
    EXPECT_TRUE(tahoma.has_font());
    EXPECT_GT(tahoma.measure(u"Sirius", 0).width, 0);
    FontRep none(dejavu(0));
    EXPECT_FALSE(none.has_font());
    EXPECT_EQ(none.line_height(), 20);
    EXPECT_EQ(none.descent(), 0);
    EXPECT_GT(none.measure(u"Mars", 0).width, 0);
}

TEST(FontRep, EachCharacterIsMeasuredOnce)
{
    FontRep font(dejavu(12));
    const TextSize one = font.measure(u"a", 0);
    EXPECT_EQ(font.width_requests(), 1u);
    const TextSize three = font.measure(u"aaa", 0);
    EXPECT_EQ(font.width_requests(), 1u);
    EXPECT_EQ(three.width, 3 * one.width);
    EXPECT_EQ(three.height, font.line_height());
    font.measure(u"ab", 0);
    EXPECT_EQ(font.width_requests(), 2u);
    EXPECT_EQ(font.measure(u"", 0), (TextSize{0, font.line_height()}));
}

TEST(FontRep, RightEdgesAndTheFirstCharacterThatDoesNotFit)
{
    FontRep font(dejavu(12));
    std::vector<int32_t> edges;
    int32_t unfit = -1;
    int32_t descent = -1;
    const TextSize size = font.measure(u"Polaris", 1, &unfit, &descent, &edges);
    ASSERT_EQ(edges.size(), 7u);
    EXPECT_TRUE(std::is_sorted(edges.begin(), edges.end()));
    EXPECT_EQ(edges.back(), size.width);
    EXPECT_EQ(unfit, 0);
    EXPECT_EQ(descent, font.descent());
    font.measure(u"Polaris", edges[2], &unfit);
    EXPECT_EQ(unfit, 3);
    font.measure(u"Polaris", size.width, &unfit);
    EXPECT_EQ(unfit, 7);
}

TEST(FontRep, MeasureBoxCountsLines)
{
    FontRep font(dejavu(12));
    EXPECT_EQ(font.measure_box(u"").width, 0);
    const TextSize one = font.measure_box(u"Deneb");
    EXPECT_EQ(one, (TextSize{font.measure(u"Deneb", 0).width, font.line_height()}));
    const TextSize two = font.measure_box(u"Deneb\r\nAltair and Vega");
    EXPECT_EQ(two.height, 2 * font.line_height());
    EXPECT_EQ(two.width, font.measure(u"Altair and Vega", 0).width);
}

TEST(FontHandle, SharedAndDefault)
{
    const FontHandle first;
    const FontHandle second;
    ASSERT_TRUE(first);
    EXPECT_EQ(first, second);
    EXPECT_EQ(first->description().size, 10);
    const FontHandle own(dejavu(14));
    FontHandle::set_default(own);
    EXPECT_EQ(FontHandle(), own);
    FontHandle::set_default(first);
    EXPECT_EQ(FontHandle(), first);
}

TEST(DrawText, ChangedPixelsCarryTheOpaqueFlag)
{
    const FontHandle font(dejavu(12));
    const RenderSurface surface = drawn(font, {120, 30}, u"Orion");
    int32_t changed = 0;
    for (int32_t y = 0; y < 30; ++y)
        for (int32_t x = 0; x < 120; ++x)
            if (const Pixel p = surface.pixel({x, y}); p != 0) {
                ++changed;
                EXPECT_TRUE(p & OPAQUE_FLAG);
            }
    EXPECT_GT(changed, 20);
    RenderSurface untouched = blank({50, 20}, 0x1234);
    draw_text(font, untouched, Colour{}, u"", {0, 0}, {50, 20}, 0, 0, false);
    EXPECT_EQ(count_changed(untouched, 0x1234), 0);
}

TEST(DrawText, BoxHalfOutsideDrawsTheVisiblePartInPlace)
{
    const FontHandle font(dejavu(12));
    RenderSurface whole = blank({140, 24}, 0x0010);
    draw_text(font, whole, Colour{255, 255, 0}, u"Cassiopeia", {0, 0}, {100, 24}, HALIGN_CENTER, VALIGN_VCENTER,
              false);
    RenderSurface cut = blank({100, 24}, 0x0010);
    draw_text(font, cut, Colour{255, 255, 0}, u"Cassiopeia", {-40, 0}, {100, 24}, HALIGN_CENTER, VALIGN_VCENTER,
              false);
    for (int32_t y = 0; y < 24; ++y)
        for (int32_t x = 0; x < 60; ++x)
            ASSERT_EQ(cut.pixel({x, y}), whole.pixel({x + 40, y})) << x << "," << y;
    EXPECT_EQ(count_changed(cut, 0x0010, 60, 100), 0);
    // Off the bottom right as well: only the surface is written.
    RenderSurface corner = blank({30, 10}, 0x0010);
    draw_text(font, corner, Colour{255, 255, 0}, u"Cassiopeia", {10, 2}, {100, 24}, 0, 0, false);
    EXPECT_GT(count_changed(corner, 0x0010), 0);
}

TEST(DrawText, LimitedToTheClipRectangles)
{
    const FontHandle font(dejavu(14));
    RenderSurface surface = blank({100, 30}, 0);
    draw_text(font, surface, Colour{255, 255, 255}, u"WWWWWWWW", {0, 0}, {100, 30}, 0, VALIGN_VCENTER, false,
              {10, 0}, {20, 30});
    EXPECT_GT(count_changed(surface, 0, 10, 30), 0);
    EXPECT_EQ(count_changed(surface, 0), count_changed(surface, 0, 10, 30));
    RenderSurface scoped = blank({100, 30}, 0);
    {
        ClipScope clip(scoped, {50, 0}, {50, 30});
        draw_text(font, scoped, Colour{255, 255, 255}, u"WWWWWWWW", {0, 0}, {100, 30}, 0, 0, false);
    }
    EXPECT_EQ(count_changed(scoped, 0, 0, 50), 0);
}

TEST(DrawText, GreekAndCyrillicHaveTheirOwnGlyphs)
{
    const FontHandle font(dejavu(16));
    const std::u16string letters = u"ΩλЖя?";
    std::vector<std::vector<Pixel>> images;
    for (const char16_t c : letters) {
        const RenderSurface surface = drawn(font, {40, 30}, std::u16string(1, c));
        EXPECT_GT(count_changed(surface, 0), 10);
        images.emplace_back();
        for (int32_t y = 0; y < 30; ++y)
            images.back().insert(images.back().end(), surface.buffer()->row(y), surface.buffer()->row(y) + 40);
    }
    // A missing glyph would draw the same box for every letter.
    for (size_t i = 0; i < images.size(); ++i)
        for (size_t j = i + 1; j < images.size(); ++j)
            EXPECT_NE(images[i], images[j]) << i << " and " << j;
}

} // namespace stellaro
