#include "skin/elements/animation.h"

#include <gtest/gtest.h>

namespace stellaro {

namespace {

constexpr Pixel OLD = 0x1111;
constexpr Pixel NEW = 0x2222;
constexpr Pixel BACK = 0x0000;

using Span = std::pair<int32_t, int32_t>;

RenderSurface image(Size size, Pixel value)
{
    RenderSurface surface(size);
    surface.apply({0, 0}, size, SolidFiller(value));
    return surface;
}

// The animation of that kind showing a NEW image over an OLD one, advanced to progress p and
// drawn at origin on a BACK surface of the given size.
RenderSurface drawn_at(std::u16string_view kind, double p, Size size, Size surface_size, Point origin)
{
    auto animation = VisibilityAnimation::parse(kind);
    RenderSurface from = image(size, OLD);
    RenderSurface to = image(size, NEW);
    animation->start(&from, Direction::SHOW, &to);
    EXPECT_FALSE(from.has_buffer() || to.has_buffer());
    animation->advance(p / (animation->speed() * 5));
    RenderSurface surface = image(surface_size, BACK);
    animation->draw(surface, origin);
    return surface;
}

// The first and one-past-last positions of the line holding value (row y, or column x when x >= 0).
Span run_of(const RenderSurface& surface, int32_t y, Pixel value, int32_t x = -1)
{
    Span run{-1, -1};
    const int32_t length = x < 0 ? surface.size().width : surface.size().height;
    for (int32_t i = 0; i < length; ++i)
        if (surface.pixel(x < 0 ? Point{i, y} : Point{x, i}) == value) {
            if (run.first < 0)
                run.first = i;
            run.second = i + 1;
        }
    return run;
}

// Half way there, shown again: the animation turns round from where it stood and, finished,
// draws nothing more of its images.
TEST(VisibilityAnimation, RunsAFifthOfASecondOverTheSpeedAndTurnsRoundWhenToggled)
{
    auto animation = VisibilityAnimation::parse(u"pop");
    RenderSurface to = image({10, 10}, NEW);
    animation->start(nullptr, Direction::SHOW, &to);
    animation->advance(0.2);
    EXPECT_DOUBLE_EQ(animation->progress(), 0.5);
    animation->reverse();
    EXPECT_EQ(animation->direction(), Direction::HIDE);
    animation->advance(0.12);
    EXPECT_NEAR(animation->progress(), 0.2, 1e-12);
    EXPECT_TRUE(animation->running());
    animation->advance(0.1);
    EXPECT_FALSE(animation->running());
    EXPECT_EQ(animation->progress(), 0.0);
    RenderSurface surface = image({10, 10}, BACK);
    animation->draw(surface, {0, 0});
    EXPECT_EQ(run_of(surface, 5, NEW).first, -1);
    // Names are matched exactly.
    EXPECT_EQ(VisibilityAnimation::parse(u"Pop"), nullptr);
}

TEST(VisibilityAnimation, SlidesComeFromTheirSidesCutToThePanel)
{
    // The panel at 10, 5 in a larger surface: which part of one row (or, for the vertical
    // slides, one column) shows the old and the new image.
    const struct {
        const char16_t* kind;
        double p;
        Size size;
        Span old_run, new_run;
    } cases[] = {
        {u"right", 0.5, {100, 10}, {10, 60}, {60, 110}},
        {u"left", 0.25, {100, 10}, {35, 110}, {10, 35}},
        {u"bottom", 0.5, {10, 40}, {5, 25}, {25, 45}},
        {u"top", 0.5, {10, 40}, {25, 45}, {5, 25}},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(std::string(test.kind, test.kind + 3));
        const RenderSurface surface = drawn_at(test.kind, test.p, test.size, {130, 60}, {10, 5});
        const bool vertical = test.size.height > test.size.width;
        EXPECT_EQ(run_of(surface, 10, OLD, vertical ? 15 : -1), test.old_run);
        EXPECT_EQ(run_of(surface, 10, NEW, vertical ? 15 : -1), test.new_run);
    }
}

// How wide the new image shows across the middle of a panel 100 x 50 at 50, 25: scale grows
// from nothing, pop overshoots by about a quarter at a half turn and settles, flip shows the old
// face first and then the new one.
TEST(VisibilityAnimation, ScalePopAndFlipWidthsOnTheWay)
{
    const struct {
        const char16_t* kind;
        double p;
        int32_t width, tolerance;
    } cases[] = {
        {u"scale", 0.5, 25, 0}, {u"pop", 2.0 / 3.0, 124, 2}, {u"pop", 0.999999, 100, 0},
        {u"flip", 0.25, 0, 0},  {u"flip", 0.75, 71, 2},
    };
    for (const auto& test : cases) {
        const Span run = run_of(drawn_at(test.kind, test.p, {100, 50}, {200, 100}, {50, 25}), 50, NEW);
        EXPECT_NEAR(run.first < 0 ? 0 : run.second - run.first, test.width, test.tolerance)
            << std::string(test.kind, test.kind + 4) << " " << test.p;
    }
    // Scaled about the centre.
    EXPECT_EQ(run_of(drawn_at(u"scale", 0.5, {100, 50}, {200, 100}, {50, 25}), 50, NEW).first, 87);
}

} // namespace

} // namespace stellaro
