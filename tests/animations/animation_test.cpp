#include "skin/elements/animation.h"

#include <gtest/gtest.h>

namespace stellaro {

namespace {

constexpr Pixel OLD = 0x1111;
constexpr Pixel NEW = 0x2222;
constexpr Pixel BACK = 0x0000;

RenderSurface image(Size size, Pixel value)
{
    RenderSurface surface(size);
    surface.apply({0, 0}, size, SolidFiller(value));
    return surface;
}

// A started animation showing `to` over `from`, advanced to progress p (speed 1 kinds).
std::unique_ptr<VisibilityAnimation> at_progress(std::u16string_view kind, double p, Size size)
{
    auto animation = VisibilityAnimation::parse(kind);
    RenderSurface from = image(size, OLD);
    RenderSurface to = image(size, NEW);
    animation->start(&from, Direction::SHOW, &to);
    EXPECT_FALSE(from.has_buffer());
    EXPECT_FALSE(to.has_buffer());
    animation->advance(p / (animation->speed() * 5));
    return animation;
}

// The first and one-past-last columns of row y holding value.
std::pair<int32_t, int32_t> run_of(const RenderSurface& surface, int32_t y, Pixel value)
{
    int32_t first = -1, last = -1;
    for (int32_t x = 0; x < surface.size().width; ++x)
        if (surface.pixel({x, y}) == value) {
            if (first < 0)
                first = x;
            last = x + 1;
        }
    return {first, last};
}

} // namespace

TEST(VisibilityAnimation, KindsByName)
{
    for (const std::u16string_view kind : {u"scale", u"right", u"bottom", u"left", u"top"}) {
        auto animation = VisibilityAnimation::parse(kind);
        ASSERT_NE(animation, nullptr) << std::string(kind.begin(), kind.end());
        EXPECT_EQ(animation->speed(), 1.0);
        EXPECT_FALSE(animation->running());
    }
    EXPECT_EQ(VisibilityAnimation::parse(u"pop")->speed(), 0.5);
    EXPECT_EQ(VisibilityAnimation::parse(u"flip")->speed(), 0.5);
    EXPECT_EQ(VisibilityAnimation::parse(u"Scale"), nullptr);
    EXPECT_EQ(VisibilityAnimation::parse(u""), nullptr);
    EXPECT_EQ(VisibilityAnimation::parse(u"fade"), nullptr);
}

TEST(VisibilityAnimation, ShowingAndHidingTakeAFifthOfASecondOverTheSpeed)
{
    const struct {
        const char16_t* kind;
        Direction direction;
        double start, half_time;
    } cases[] = {{u"scale", Direction::SHOW, 0.0, 0.1}, {u"pop", Direction::HIDE, 1.0, 0.2}};
    for (const auto& test : cases) {
        auto animation = VisibilityAnimation::parse(test.kind);
        RenderSurface to = image({10, 10}, NEW);
        animation->start(nullptr, test.direction, &to);
        EXPECT_TRUE(animation->running());
        EXPECT_EQ(animation->progress(), test.start);
        animation->advance(test.half_time);
        EXPECT_DOUBLE_EQ(animation->progress(), 0.5);
        EXPECT_TRUE(animation->running());
        animation->advance(test.half_time);
        EXPECT_EQ(animation->progress(), 1.0 - test.start);
        EXPECT_FALSE(animation->running());
        // Idle: the images are gone and drawing changes nothing.
        RenderSurface surface = image({10, 10}, BACK);
        animation->draw(surface, {0, 0});
        EXPECT_EQ(run_of(surface, 5, NEW).first, -1);
    }
}

TEST(VisibilityAnimation, ToggledAgainItTurnsRound)
{
    auto animation = VisibilityAnimation::parse(u"right");
    RenderSurface to = image({10, 10}, NEW);
    animation->start(nullptr, Direction::SHOW, &to);
    animation->advance(0.05);
    animation->reverse();
    EXPECT_EQ(animation->direction(), Direction::HIDE);
    animation->advance(0.03);
    EXPECT_NEAR(animation->progress(), 0.1, 1e-12);
    animation->advance(0.05);
    EXPECT_FALSE(animation->running());
    EXPECT_EQ(animation->progress(), 0.0);
    auto copy = animation->clone();
    EXPECT_FALSE(copy->running());
}

TEST(VisibilityAnimation, SlidesComeFromTheirSidesCutToThePanel)
{
    // The panel (at 10, 5 in a larger surface) at progress p: which pixels of one line (a row or,
    // for the vertical slides, a column) show the old and the new image.
    using Run = std::pair<int32_t, int32_t>;
    const struct {
        const char16_t* kind;
        double p;
        Size size;
        Run old_run, new_run;
    } cases[] = {
        {u"right", 0.5, {100, 10}, {10, 60}, {60, 110}},
        {u"left", 0.25, {100, 10}, {35, 110}, {10, 35}},
        {u"bottom", 0.5, {10, 40}, {5, 25}, {25, 45}},
        {u"top", 0.5, {10, 40}, {25, 45}, {5, 25}},
    };
    for (const auto& test : cases) {
        auto animation = at_progress(test.kind, test.p, test.size);
        RenderSurface surface = image({130, 60}, BACK);
        animation->draw(surface, {10, 5});
        const bool vertical = test.size.height > test.size.width;
        RenderSurface line = image(vertical ? Size{60, 1} : Size{130, 1}, BACK);
        for (int32_t i = 0; i < line.size().width; ++i)
            line.buffer()->row(0)[i] = surface.pixel(vertical ? Point{15, i} : Point{i, 10});
        EXPECT_EQ(run_of(line, 0, OLD), test.old_run) << std::string(test.kind, test.kind + 3);
        EXPECT_EQ(run_of(line, 0, NEW), test.new_run) << std::string(test.kind, test.kind + 3);
    }
}

TEST(VisibilityAnimation, ScaleHalfwayIsAQuarterSizeCentred)
{
    auto animation = at_progress(u"scale", 0.5, {100, 80});
    RenderSurface surface = image({100, 80}, BACK);
    animation->draw(surface, {0, 0});
    EXPECT_EQ(run_of(surface, 40, NEW), (std::pair<int32_t, int32_t>{37, 62}));
    EXPECT_EQ(run_of(surface, 40, OLD).first, 0);
    int32_t rows = 0;
    for (int32_t y = 0; y < 80; ++y)
        rows += surface.pixel({50, y}) == NEW;
    EXPECT_EQ(rows, 20);
    EXPECT_EQ(surface.pixel({50, 30}), NEW);
}

TEST(VisibilityAnimation, PopOvershootsAndSettles)
{
    // At progress 2/3 the angle is a half turn: about 1.24 times the size.
    auto animation = at_progress(u"pop", 2.0 / 3.0, {100, 50});
    RenderSurface surface = image({200, 100}, BACK);
    animation->draw(surface, {50, 25});
    const auto [first, last] = run_of(surface, 50, NEW);
    EXPECT_NEAR(last - first, 124, 2);
    auto settled = at_progress(u"pop", 0.999999, {100, 50});
    RenderSurface calm = image({200, 100}, BACK);
    settled->draw(calm, {50, 25});
    EXPECT_EQ(run_of(calm, 50, NEW), (std::pair<int32_t, int32_t>{50, 150}));
}

TEST(VisibilityAnimation, FlipShowsTheOldFaceThenTheNewOne)
{
    const Size card{80, 60};
    auto width_at = [&](double p, Pixel face) {
        auto animation = at_progress(u"flip", p, card);
        RenderSurface surface = image(card, BACK);
        animation->draw(surface, {0, 0});
        const auto [first, last] = run_of(surface, 30, face);
        return first < 0 ? 0 : last - first;
    };
    EXPECT_EQ(width_at(0.0, OLD), 80);
    const int32_t quarter = width_at(0.25, OLD);
    EXPECT_GT(quarter, 45);
    EXPECT_LT(quarter, 70);
    EXPECT_EQ(width_at(0.25, NEW), 0);
    EXPECT_EQ(width_at(0.75, OLD), 0);
    const int32_t three_quarters = width_at(0.75, NEW);
    EXPECT_GT(three_quarters, 45);
    EXPECT_LT(three_quarters, 70);
    EXPECT_LE(width_at(0.49, OLD), 10);

    // The finished half-turn shows the new image upright, not mirrored.
    auto animation = VisibilityAnimation::parse(u"flip");
    RenderSurface to(card);
    for (int32_t y = 0; y < card.height; ++y)
        for (int32_t x = 0; x < card.width; ++x)
            to.buffer()->row(y)[x] = static_cast<Pixel>(x + 1);
    animation->start(nullptr, Direction::SHOW, &to);
    animation->advance(0.39999);
    RenderSurface surface = image(card, BACK);
    animation->draw(surface, {0, 0});
    EXPECT_LT(surface.pixel({5, 30}), surface.pixel({75, 30}));
}

} // namespace stellaro
