#include "skin/surface/render_surface.h"
#include "surface/surface_test_support.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>

namespace stellaro {

namespace {

using Points = std::set<std::pair<int32_t, int32_t>>;

// The pixels of a surface that differ from `background`.
Points changed(const RenderSurface& surface, Pixel background)
{
    Points points;
    const Size size = surface.size();
    for (int32_t y = 0; y < size.height; ++y)
        for (int32_t x = 0; x < size.width; ++x)
            if (surface.pixel({x, y}) != background)
                points.insert({x, y});
    return points;
}

// A source whose pixel (x, y) is 100 * y + x + 1.
RenderSurface numbered(Size size)
{
    RenderSurface source(size);
    paint_pattern(source, [](int32_t x, int32_t y) { return static_cast<Pixel>(100 * y + x + 1); });
    return source;
}

} // namespace

TEST(RenderSurface, CreationRecreationAndPitch)
{
    RenderSurface empty;
    EXPECT_EQ(empty.size(), (Size{0, 0}));
    EXPECT_FALSE(empty.recreate(Size{0, 0}));

    RenderSurface surface(Size{3, 2});
    ASSERT_TRUE(surface.has_buffer());
    EXPECT_EQ(surface.buffer()->pitch(), 8u); // rows start on 4-byte boundaries
    EXPECT_EQ(surface.clip_bottom_right(), (Point{3, 2}));
    fill(surface, 0x1234);
    EXPECT_FALSE(surface.recreate(Size{3, 2}));
    EXPECT_EQ(surface.pixel({2, 1}), 0x1234); // same size keeps the pixels
    EXPECT_TRUE(surface.recreate(Size{5, 4}));
    EXPECT_EQ(surface.size(), (Size{5, 4}));
    EXPECT_EQ(surface.clip_bottom_right(), (Point{5, 4}));
    EXPECT_TRUE(surface.recreate(Size{0, 0}));
    EXPECT_FALSE(surface.has_buffer());
    EXPECT_FALSE(surface.recreate(Size{-3, 5}));
    EXPECT_FALSE(surface.has_buffer());
}

TEST(RenderSurface, PixelCounterFollowsOwnedBuffersThroughAdoptionAndSwaps)
{
    const int64_t before = RenderSurface::live_pixels();
    {
        RenderSurface a(Size{10, 10});
        EXPECT_EQ(RenderSurface::live_pixels(), before + 100);
        a.recreate(Size{4, 5});
        EXPECT_EQ(RenderSurface::live_pixels(), before + 20);
        std::unique_ptr<PixelBuffer> holder = PixelBuffer::create(Size{2, 3});
        PixelBuffer* given = holder.get();
        a.adopt(holder);
        EXPECT_EQ(holder, nullptr);
        EXPECT_EQ(a.buffer(), given);
        EXPECT_EQ(RenderSurface::live_pixels(), before + 6);
        RenderSurface borrower(*given);
        EXPECT_EQ(RenderSurface::live_pixels(), before + 12);
    }
    EXPECT_EQ(RenderSurface::live_pixels(), before);

    RenderSurface a(Size{2, 2});
    RenderSurface b;
    fill(a, 7);
    a.swap_buffers(b);
    EXPECT_FALSE(a.has_buffer());
    EXPECT_EQ(b.size(), (Size{2, 2}));
    EXPECT_EQ(b.pixel({1, 1}), 7);
    EXPECT_EQ(b.clip_bottom_right(), (Point{2, 2}));
    EXPECT_EQ(RenderSurface::live_pixels(), before + 4);
}

TEST(RenderSurface, SetClipKeepsTheClipInsideTheBuffer)
{
    RenderSurface surface(Size{10, 8});
    surface.set_clip({-5, 2}, {4, 100});
    EXPECT_EQ(surface.clip_top_left(), (Point{0, 2}));
    EXPECT_EQ(surface.clip_bottom_right(), (Point{4, 8}));

    // Entirely outside: an empty clip stored at its top-left corner, and nothing is drawn.
    surface.set_clip({2, 3}, {1, 50});
    EXPECT_EQ(surface.clip_top_left(), (Point{2, 3}));
    EXPECT_EQ(surface.clip_bottom_right(), (Point{2, 3}));
    EXPECT_TRUE(surface.clip_empty());
    surface.set_clip({0, 0}, {10, 8});
    fill(surface, 0);
    surface.set_clip({20, 20}, {30, 30});
    EXPECT_TRUE(surface.clip_empty());
    EXPECT_LE(surface.clip_top_left().x, 10);
    fill(surface, 0xFFFF);
    surface.set_pixel({5, 5}, Colour{255, 255, 255});
    surface.draw_line({0, 0}, {9, 7}, Colour{255, 255, 255});
    EXPECT_TRUE(changed(surface, 0).empty());
}

TEST(RenderSurface, ClipScopesNarrowAndRestore)
{
    RenderSurface surface(Size{20, 20});
    {
        ClipScope outer(surface, {2, 3}, {10, 10});
        EXPECT_EQ(surface.clip_top_left(), (Point{2, 3}));
        EXPECT_EQ(surface.clip_bottom_right(), (Point{12, 13}));
        {
            ClipScope inner(surface, {0, 5}, {100, 2});
            EXPECT_EQ(surface.clip_top_left(), (Point{2, 5}));
            EXPECT_EQ(surface.clip_bottom_right(), (Point{12, 7}));
        }
        EXPECT_EQ(surface.clip_top_left(), (Point{2, 3}));
        EXPECT_EQ(surface.clip_bottom_right(), (Point{12, 13}));
    }
    EXPECT_EQ(surface.clip_bottom_right(), (Point{20, 20}));
    EXPECT_TRUE(surface.recreate(Size{4, 4}));
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

TEST(RenderSurface, ApplyWalksTheClippedRectangle)
{
    RenderSurface surface(Size{6, 5});
    fill(surface, 0);
    surface.set_clip({1, 1}, {5, 4});
    surface.apply({-3, 2}, {6, 10}, SolidFiller(Pixel{9}));
    EXPECT_EQ(changed(surface, 0), (Points{{1, 2}, {2, 2}, {1, 3}, {2, 3}}));
    surface.apply({3, 3}, {0, 5}, SolidFiller(Pixel{9}));
    EXPECT_EQ(changed(surface, 0).size(), 4u);
}

TEST(Blit, CopiesAndClipsMovingTheSourceOrigin)
{
    const RenderSurface source = numbered(Size{4, 3});
    RenderSurface surface(Size{5, 5});
    fill(surface, 0);
    surface.set_clip({1, 1}, {5, 5});
    surface.draw(source, {-1, 0}, plain_copy_painter());
    // Cut one column by the left of the surface... and one more and one row by the clip.
    EXPECT_EQ(surface.pixel({0, 0}), 0);
    EXPECT_EQ(surface.pixel({1, 1}), 100 * 1 + 2 + 1);
    EXPECT_EQ(surface.pixel({2, 2}), 100 * 2 + 3 + 1);
    EXPECT_EQ(surface.pixel({3, 1}), 0);
    EXPECT_EQ(changed(surface, 0).size(), 4u);
}

TEST(Blit, SourceRectangleOutsideTheSourceDrawsNothing)
{
    const RenderSurface source = numbered(Size{4, 3});
    RenderSurface surface(Size{8, 8});
    fill(surface, 0);
    surface.draw(source, {1, 0}, {4, 3}, {0, 0}, plain_copy_painter());
    surface.draw(source, {0, 1}, {4, 3}, {0, 0}, plain_copy_painter());
    surface.draw(source, {-1, 0}, {2, 2}, {0, 0}, plain_copy_painter());
    EXPECT_TRUE(changed(surface, 0).empty());
    surface.draw(source, {1, 1}, {3, 2}, {2, 2}, plain_copy_painter());
    EXPECT_EQ(surface.pixel({2, 2}), 100 + 1 + 1);
    EXPECT_EQ(surface.pixel({4, 3}), 200 + 3 + 1);
    EXPECT_EQ(changed(surface, 0).size(), 6u);
}

TEST(Blit, RowIndexCountsFromTheBlitsTop)
{
    // A painter that writes the row index it is given.
    struct RowPainter final : SpanPainter {
        void paint(Pixel* d, Pixel* e, const Pixel*, int32_t row) const override { std::fill(d, e, static_cast<Pixel>(row + 1)); }
        void paint_scaled(Pixel*, Pixel*, const Pixel*, uint32_t, uint32_t, int32_t) const override {}
        void paint_magnified(Pixel*, const Pixel*, int32_t, int32_t, int32_t) const override {}
        void paint_magnified_wrapped(Pixel*, const Pixel*, int32_t, int32_t, int32_t, int32_t, int32_t) const override {}
        std::unique_ptr<SpanPainter> clone() const override { return std::make_unique<RowPainter>(); }
    };
    const RenderSurface source = numbered(Size{2, 4});
    RenderSurface surface(Size{2, 4});
    fill(surface, 0);
    surface.draw(source, {0, -2}, RowPainter());
    EXPECT_EQ(surface.pixel({0, 0}), 3);
    EXPECT_EQ(surface.pixel({0, 1}), 4);
    EXPECT_EQ(surface.pixel({0, 2}), 0);
}

TEST(ScaledBlit, StretchesWithFixedPointSteps)
{
    const RenderSurface source = numbered(Size{2, 2});
    RenderSurface surface(Size{4, 4});
    surface.draw_scaled(source, {0, 0}, {4, 4}, plain_copy_painter());
    EXPECT_EQ(surface.pixel({0, 0}), 1);
    EXPECT_EQ(surface.pixel({1, 1}), 1);
    EXPECT_EQ(surface.pixel({2, 1}), 2);
    EXPECT_EQ(surface.pixel({3, 3}), 102);
    // Shrinking 4 -> 3: step = (4 << 10) / 3 = 1365, columns 0, 1, 2.
    const RenderSurface wide = numbered(Size{4, 1});
    RenderSurface narrow(Size{3, 1});
    narrow.draw_scaled(wide, {0, 0}, {3, 1}, plain_copy_painter());
    EXPECT_EQ(narrow.pixel({0, 0}), 1);
    EXPECT_EQ(narrow.pixel({1, 0}), 2);
    EXPECT_EQ(narrow.pixel({2, 0}), 3);
}

TEST(ScaledBlit, ClippingAdvancesTheSourcePosition)
{
    const RenderSurface source = numbered(Size{4, 4});
    RenderSurface surface(Size{8, 8});
    fill(surface, 0);
    surface.set_clip({2, 2}, {6, 5});
    // Doubled onto (0, 0, 8, 8): destination (2, 2) reads source (1, 1).
    surface.draw_scaled(source, {0, 0}, {8, 8}, plain_copy_painter());
    EXPECT_EQ(surface.pixel({2, 2}), 100 + 1 + 1);
    EXPECT_EQ(surface.pixel({5, 4}), 200 + 2 + 1);
    EXPECT_EQ(surface.pixel({6, 4}), 0);
    EXPECT_EQ(surface.pixel({5, 5}), 0);
    EXPECT_EQ(changed(surface, 0).size(), 12u);
}

TEST(ScaledBlit, RejectsBadRectangles)
{
    const RenderSurface source = numbered(Size{4, 4});
    RenderSurface surface(Size{8, 8});
    fill(surface, 0);
    surface.draw_scaled(source, {0, 0}, {4, 4}, {0, 0}, {0, 5}, plain_copy_painter());
    surface.draw_scaled(source, {1, 0}, {4, 4}, {0, 0}, {5, 5}, plain_copy_painter());
    surface.draw_scaled(source, {4, 0}, {0, 4}, {0, 0}, {5, 5}, plain_copy_painter());
    surface.draw_scaled(source, {0, 0}, {4, -1}, {0, 0}, {5, 5}, plain_copy_painter());
    EXPECT_TRUE(changed(surface, 0).empty());
}

TEST(Line, ExactPixelsOfTheLineRoutineInsideTheClip)
{
    RenderSurface surface(Size{10, 10});
    auto line = [&](Point from, Point to, Point clip_from = {0, 0}, Point clip_to = {10, 10}) {
        surface.set_clip({0, 0}, {10, 10});
        fill(surface, 0);
        surface.set_clip(clip_from, clip_to);
        surface.draw_line(from, to, Colour{255, 255, 255});
        return changed(surface, 0);
    };
    EXPECT_EQ(line({0, 0}, {3, 0}), (Points{{0, 0}, {1, 0}, {2, 0}}));
    EXPECT_TRUE(line({4, 4}, {4, 4}).empty());
    // x-major with a step every other column; the end point stays unwritten.
    EXPECT_EQ(line({0, 0}, {4, 2}), (Points{{0, 0}, {1, 1}, {2, 1}, {3, 2}}));
    // y-major going up and left.
    EXPECT_EQ(line({2, 5}, {0, 0}), (Points{{2, 5}, {1, 4}, {1, 3}, {0, 2}, {0, 1}}));

    // Clipped to columns 2..5, the end point 5 unwritten.
    EXPECT_EQ(line({-100, 3}, {100, 3}, {2, 0}, {6, 10}), (Points{{2, 3}, {3, 3}, {4, 3}}));
    EXPECT_TRUE(line({-5, -5}, {-1, 20}, {2, 0}, {6, 10}).empty());
    EXPECT_EQ(line({0, 0}, {100000000, 0}, {2, 0}, {6, 10}), (Points{{2, 0}, {3, 0}, {4, 0}}));
    // Huge coordinates neither overflow nor write outside the clip; clipped to (2, 2)-(5, 5),
    // the routine's first pass repeats the start column.
    EXPECT_EQ(line({-2000000000, -2000000000}, {2000000000, 2000000000}, {2, 0}, {6, 10}),
              (Points{{2, 2}, {2, 3}, {3, 4}, {4, 5}}));
}

TEST(SetPixel, OnlyInsideTheClip)
{
    RenderSurface surface(Size{4, 4});
    fill(surface, 0);
    surface.set_clip({1, 1}, {3, 3});
    surface.set_pixel({0, 0}, Colour{255, 0, 0});
    surface.set_pixel({3, 2}, Colour{255, 0, 0});
    surface.set_pixel({2, 2}, Colour{255, 0, 0});
    EXPECT_EQ(surface.pixel({2, 2}), 0xF800);
    EXPECT_EQ(changed(surface, 0).size(), 1u);
}

TEST(EmptySurface, DrawingIsIgnored)
{
    RenderSurface empty;
    const RenderSurface source = numbered(Size{2, 2});
    empty.draw(source, {0, 0}, plain_copy_painter());
    empty.draw_scaled(source, {0, 0}, {4, 4}, plain_copy_painter());
    empty.apply({0, 0}, {4, 4}, SolidFiller(Pixel{1}));
    empty.draw_line({0, 0}, {3, 3}, Colour{});
    empty.set_clip({0, 0}, {3, 3});
    EXPECT_EQ(empty.clip_bottom_right(), (Point{0, 0}));
    RenderSurface target(Size{2, 2});
    fill(target, 5);
    target.draw(empty, {0, 0}, plain_copy_painter());
    EXPECT_EQ(target.pixel({0, 0}), 5);
}

} // namespace stellaro
