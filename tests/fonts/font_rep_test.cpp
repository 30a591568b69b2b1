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

} // namespace

TEST(FontRep, FacesResolveToAnInstalledOneAndMetricsFollowSizeAndScale)
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
    // Size zero has no face but still measures, so layouts never divide by nothing.
    FontRep none(dejavu(0));
    EXPECT_FALSE(none.has_font());
    EXPECT_EQ(none.line_height(), 20);
    EXPECT_GT(none.measure(u"Mars", 0).width, 0);
}

TEST(FontRep, MeasuresGiveRightEdgesTheFirstCharacterThatDoesNotFitAndLinesOfABox)
{
    FontRep font(dejavu(12));
    std::vector<int32_t> edges;
    int32_t unfit = -1;
    const TextSize size = font.measure(u"Polaris", 1, &unfit, nullptr, &edges);
    ASSERT_EQ(edges.size(), 7u);
    EXPECT_TRUE(std::is_sorted(edges.begin(), edges.end()));
    EXPECT_EQ(edges.back(), size.width);
    EXPECT_EQ(unfit, 0);
    font.measure(u"Polaris", edges[2], &unfit);
    EXPECT_EQ(unfit, 3);
    font.measure(u"Polaris", size.width, &unfit);
    EXPECT_EQ(unfit, 7);
    const TextSize two = font.measure_box(u"Deneb\r\nAltair and Vega");
    EXPECT_EQ(two, (TextSize{font.measure(u"Altair and Vega", 0).width, 2 * font.line_height()}));
}

TEST(FontHandle, HandlesOfOneDescriptionShareAFontAndTheDefaultCanChange)
{
    const FontHandle first;
    ASSERT_TRUE(first);
    EXPECT_EQ(first, FontHandle());
    const FontHandle own(dejavu(14));
    FontHandle::set_default(own);
    EXPECT_EQ(FontHandle(), own);
    FontHandle::set_default(first);
    EXPECT_EQ(FontHandle(), first);
}

// The sample sheet pins text cut by the surface's left edge and by clip rectangles; these are
// the edges it does not reach.
TEST(DrawText, StaysInsideClipScopesAndTheSurfacesBottomRight)
{
    const FontHandle font(dejavu(14));
    RenderSurface scoped = blank({100, 30}, 0);
    {
        const ClipScope clip(scoped, {50, 0}, {50, 30});
        draw_text(font, scoped, Colour{255, 255, 255}, u"WWWWWWWW", {0, 0}, {100, 30}, HALIGN_LEFT, VALIGN_TOP, false);
    }
    EXPECT_GT(count_changed(scoped, 0, 50, 100), 0);
    EXPECT_EQ(count_changed(scoped, 0, 0, 50), 0);
    RenderSurface corner = blank({30, 10}, 0x0010);
    draw_text(font, corner, Colour{255, 255, 0}, u"Cassiopeia", {10, 2}, {100, 24}, HALIGN_LEFT, VALIGN_TOP, false);
    EXPECT_GT(count_changed(corner, 0x0010), 0);
}

} // namespace stellaro
