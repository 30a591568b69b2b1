#include "skin/surface/render_surface.h"
#include "surface/surface_test_support.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>

namespace stellaro {

namespace {

using Points = std::set<std::pair<int32_t, int32_t>>;

// The pixels of a surface that are not 0.
Points changed(const RenderSurface& surface)
{
    Points points;
    for (int32_t y = 0; y < surface.size().height; ++y)
        for (int32_t x = 0; x < surface.size().width; ++x)
            if (surface.pixel({x, y}) != 0)
                points.insert({x, y});
    return points;
}

} // namespace

TEST(RenderSurface, OwnedPixelsAreCountedUntilTheirSurfaceGoesOrShrinksToNothing)
{
    const int64_t before = RenderSurface::live_pixels();
    RenderSurface surface = blank(Size{3, 2}, 0x1234);
    EXPECT_FALSE(surface.recreate(Size{3, 2}));
    EXPECT_EQ(surface.pixel({2, 1}), 0x1234);
    EXPECT_TRUE(surface.recreate(Size{5, 4}));
    EXPECT_EQ(RenderSurface::live_pixels(), before + 20);
    {
        std::unique_ptr<PixelBuffer> holder = PixelBuffer::create(Size{2, 3});
        surface.adopt(holder);
        const RenderSurface borrower(*surface.buffer());
        EXPECT_EQ(RenderSurface::live_pixels(), before + 12);
    }
    RenderSurface other;
    surface.swap_buffers(other);
    EXPECT_FALSE(surface.has_buffer());
    EXPECT_TRUE(other.recreate(Size{0, 0}));
    EXPECT_FALSE(other.has_buffer());
    EXPECT_EQ(RenderSurface::live_pixels(), before);
}

TEST(RenderSurface, ClipsStayInsideTheBufferAndScopesRestoreThem)
{
    RenderSurface surface = blank(Size{10, 8});
    surface.set_clip({-5, 2}, {4, 100});
    EXPECT_EQ(surface.clip_top_left(), (Point{0, 2}));
    EXPECT_EQ(surface.clip_bottom_right(), (Point{4, 8}));
    // Entirely outside: an empty clip, and nothing is drawn.
    surface.set_clip({20, 20}, {30, 30});
    EXPECT_TRUE(surface.clip_empty());
    surface.apply({0, 0}, {10, 8}, SolidFiller(Pixel{0xFFFF}));
    surface.set_pixel({5, 5}, Colour{255, 255, 255});
    surface.draw_line({0, 0}, {9, 7}, Colour{255, 255, 255});
    EXPECT_TRUE(changed(surface).empty());

    surface.set_clip({0, 0}, {10, 8});
    {
        const ClipScope outer(surface, {2, 3}, {10, 10});
        EXPECT_EQ(surface.clip_bottom_right(), (Point{10, 8}));
        {
            const ClipScope inner(surface, {0, 5}, {100, 2});
            EXPECT_EQ(surface.clip_top_left(), (Point{2, 5}));
            EXPECT_EQ(surface.clip_bottom_right(), (Point{10, 7}));
        }
        EXPECT_EQ(surface.clip_top_left(), (Point{2, 3}));
    }
    EXPECT_EQ(surface.clip_top_left(), (Point{0, 0}));
    EXPECT_EQ(surface.clip_bottom_right(), (Point{10, 8}));
}

TEST(RenderSurfaceDeathTest, ResizingInsideAClipScopeIsFatal)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            RenderSurface surface(Size{4, 4});
            ClipScope scope(surface, {0, 0}, {2, 2});
            surface.recreate(Size{8, 8});
        },
        ::testing::ExitedWithCode(1), "Gluck: Clip is in effect, cannot resize @ RenderSurface::recreate");
}

TEST(RenderSurface, FillsAndPixelsStayInsideTheClip)
{
    RenderSurface surface = blank(Size{6, 5});
    surface.set_clip({1, 1}, {5, 4});
    surface.apply({-3, 2}, {6, 10}, SolidFiller(Pixel{9}));
    surface.apply({3, 3}, {0, 5}, SolidFiller(Pixel{9}));
    surface.set_pixel({0, 0}, Colour{255, 0, 0});
    surface.set_pixel({5, 1}, Colour{255, 0, 0});
    surface.set_pixel({4, 1}, Colour{255, 0, 0});
    EXPECT_EQ(changed(surface), (Points{{1, 2}, {2, 2}, {1, 3}, {2, 3}, {4, 1}}));
    EXPECT_EQ(surface.pixel({4, 1}), 0xF800);
}

TEST(Blit, SourceRectanglesOutsideTheSourceAndEmptySurfacesDrawNothing)
{
    const RenderSurface source = numbered(Size{4, 3});
    RenderSurface surface = blank(Size{8, 8});
    surface.draw(source, {1, 0}, {4, 3}, {0, 0}, plain_copy_painter());
    surface.draw(source, {-1, 0}, {2, 2}, {0, 0}, plain_copy_painter());
    const RenderSurface square = numbered(Size{4, 4});
    surface.draw_scaled(square, {1, 0}, {4, 4}, {0, 0}, {5, 5}, plain_copy_painter());
    surface.draw_scaled(square, {0, 0}, {4, -1}, {0, 0}, {5, 5}, plain_copy_painter());
    surface.draw(RenderSurface(), {0, 0}, plain_copy_painter());
    EXPECT_TRUE(changed(surface).empty());
    RenderSurface empty;
    empty.draw(source, {0, 0}, plain_copy_painter());
    empty.draw_scaled(source, {0, 0}, {4, 4}, plain_copy_painter());
    empty.apply({0, 0}, {4, 4}, SolidFiller(Pixel{1}));
    empty.draw_line({0, 0}, {3, 3}, Colour{});
    EXPECT_EQ(empty.clip_bottom_right(), (Point{0, 0}));
}

TEST(Blit, PlainAndScaledBlitsCutByTheSurfaceEdgeOrClipReadTheMatchingSourcePixels)
{
    RenderSurface surface = blank(Size{5, 5});
    surface.set_clip({1, 1}, {5, 5});
    // One column cut by the surface's left edge, one more and a row by the clip.
    surface.draw(numbered(Size{4, 3}), {-1, 0}, plain_copy_painter());
    EXPECT_EQ(surface.pixel({1, 1}), 100 * 1 + 2 + 1);
    EXPECT_EQ(surface.pixel({2, 2}), 100 * 2 + 3 + 1);
    EXPECT_EQ(changed(surface), (Points{{1, 1}, {2, 1}, {1, 2}, {2, 2}}));
    surface = blank(Size{8, 8});
    surface.set_clip({2, 2}, {6, 5});
    // Doubled onto (0, 0, 8, 8): destination (2, 2) reads source (1, 1).
    surface.draw_scaled(numbered(Size{4, 4}), {0, 0}, {8, 8}, plain_copy_painter());
    EXPECT_EQ(surface.pixel({2, 2}), 100 + 1 + 1);
    EXPECT_EQ(surface.pixel({5, 4}), 200 + 2 + 1);
    EXPECT_EQ(changed(surface).size(), 12u);
}

TEST(Line, ExactPixelsInsideTheClip)
{
    const struct {
        Point from, to, clip_from, clip_to;
        Points expected;
    } cases[] = {
        {{0, 0}, {3, 0}, {0, 0}, {10, 10}, {{0, 0}, {1, 0}, {2, 0}}},
        {{4, 4}, {4, 4}, {0, 0}, {10, 10}, {}},
        // x-major with a step every other column; the end point stays unwritten.
        {{0, 0}, {4, 2}, {0, 0}, {10, 10}, {{0, 0}, {1, 1}, {2, 1}, {3, 2}}},
        {{2, 5}, {0, 0}, {0, 0}, {10, 10}, {{2, 5}, {1, 4}, {1, 3}, {0, 2}, {0, 1}}},
        {{-100, 3}, {100, 3}, {2, 0}, {6, 10}, {{2, 3}, {3, 3}, {4, 3}}},
        {{-5, -5}, {-1, 20}, {2, 0}, {6, 10}, {}},
        {{0, 0}, {100000000, 0}, {2, 0}, {6, 10}, {{2, 0}, {3, 0}, {4, 0}}},
        // Huge coordinates neither overflow nor leave the clip; the first pass repeats the start column.
        {{-2000000000, -2000000000}, {2000000000, 2000000000}, {2, 0}, {6, 10}, {{2, 2}, {2, 3}, {3, 4}, {4, 5}}},
    };
    for (const auto& c : cases) {
        RenderSurface surface = blank(Size{10, 10});
        surface.set_clip(c.clip_from, c.clip_to);
        surface.draw_line(c.from, c.to, Colour{255, 255, 255});
        EXPECT_EQ(changed(surface), c.expected) << c.from.x << "," << c.from.y << " to " << c.to.x << "," << c.to.y;
    }
}

} // namespace stellaro
