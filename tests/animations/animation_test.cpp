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

TEST(VisibilityAnimation, ShowingTakesAFifthOfASecondAtSpeedOne)
{
    auto animation = VisibilityAnimation::parse(u"scale");
    RenderSurface to = image({10, 10}, NEW);
    animation->start(nullptr, Direction::SHOW, &to);
    EXPECT_TRUE(animation->running());
    EXPECT_EQ(animation->progress(), 0.0);
    animation->advance(0.1);
    EXPECT_DOUBLE_EQ(animation->progress(), 0.5);
    animation->advance(0.1);
    EXPECT_EQ(animation->progress(), 1.0);
    EXPECT_FALSE(animation->running());
    // Idle: the images are gone and drawing changes nothing.
    RenderSurface surface = image({10, 10}, BACK);
    animation->draw(surface, {0, 0});
    EXPECT_EQ(run_of(surface, 5, NEW).first, -1);
}

TEST(VisibilityAnimation, PopHidesFromOneToZeroInFourTenths)
{
    auto animation = VisibilityAnimation::parse(u"pop");
    RenderSurface to = image({10, 10}, NEW);
    animation->start(nullptr, Direction::HIDE, &to);
    EXPECT_EQ(animation->progress(), 1.0);
    animation->advance(0.2);
    EXPECT_DOUBLE_EQ(animation->progress(), 0.5);
    EXPECT_TRUE(animation->running());
    animation->advance(0.2);
    EXPECT_EQ(animation->progress(), 0.0);
    EXPECT_FALSE(animation->running());
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

TEST(VisibilityAnimation, RightSlideHalfway)
{
    auto animation = at_progress(u"right", 0.5, {100, 10});
    RenderSurface surface = image({300, 20}, BACK);
    animation->draw(surface, {100, 5});
    // "to" at x + 50, "from" at x - 50, both cut to the panel's own rectangle.
    EXPECT_EQ(run_of(surface, 5, OLD), (std::pair<int32_t, int32_t>{100, 150}));
    EXPECT_EQ(run_of(surface, 5, NEW), (std::pair<int32_t, int32_t>{150, 200}));
    EXPECT_EQ(surface.pixel({100, 4}), BACK);
    EXPECT_EQ(surface.pixel({100, 15}), BACK);
}

TEST(VisibilityAnimation, OtherSlidesComeFromTheirSides)
{
    {
        auto animation = at_progress(u"left", 0.25, {100, 10});
        RenderSurface surface = image({100, 10}, BACK);
        animation->draw(surface, {0, 0});
        EXPECT_EQ(run_of(surface, 5, NEW), (std::pair<int32_t, int32_t>{0, 25}));
        EXPECT_EQ(run_of(surface, 5, OLD), (std::pair<int32_t, int32_t>{25, 100}));
    }
    {
        auto animation = at_progress(u"bottom", 0.5, {10, 40});
        RenderSurface surface = image({10, 40}, BACK);
        animation->draw(surface, {0, 0});
        EXPECT_EQ(surface.pixel({5, 19}), OLD);
        EXPECT_EQ(surface.pixel({5, 20}), NEW);
    }
    {
        auto animation = at_progress(u"top", 0.5, {10, 40});
        RenderSurface surface = image({10, 40}, BACK);
        animation->draw(surface, {0, 0});
        EXPECT_EQ(surface.pixel({5, 19}), NEW);
        EXPECT_EQ(surface.pixel({5, 20}), OLD);
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
