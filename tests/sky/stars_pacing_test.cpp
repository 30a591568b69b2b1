#include "sky/sky_fixture.h"

namespace stellaro {

namespace {

// Updates the sky by dt without drawing it: whether it then wants a repaint.
bool repaints_after(SkyWorld& world, double dt)
{
    world.sky->update(dt);
    const bool wanted = world.sky->needs_repaint();
    world.sky->draw(world.surface, Point{0, 0});
    return wanted;
}

} // namespace

TEST(StarsPacing, ARestingSkyIsDrawnOnlyAtTheTwinklesCadenceAndAsksToBeWokenForIt)
{
    SkyWorld world;
    world.look(120.0, 30.0);
    settle(world);
    EXPECT_TRUE(repaints_after(world, Stars::TWINKLE_SECONDS));
    world.sky->take_frame_wait_seconds();

    EXPECT_FALSE(repaints_after(world, 0.1));
    EXPECT_NEAR(world.sky->take_frame_wait_seconds(), Stars::TWINKLE_SECONDS - 0.1, 1e-9);
    EXPECT_TRUE(repaints_after(world, Stars::TWINKLE_SECONDS - 0.1));
}

TEST(StarsPacing, InertiaAndTravelDrawEveryFrameAFollowedObjectOnlyWithTheTwinkle)
{
    SkyWorld world;
    world.look(120.0, 30.0);
    settle(world);
    world.sky->view().pan_velocity_x = 500.0;
    int moving = 0;
    for (; world.sky->view().pan_velocity_x != 0.0 && moving < 500; ++moving)
        EXPECT_TRUE(repaints_after(world, 0.04));
    EXPECT_GT(moving, 10);
    EXPECT_FALSE(repaints_after(world, 0.04));

    world.sky->select(SkyObject::of(Body::moon));
    EXPECT_TRUE(world.sky->needs_repaint());
    EXPECT_TRUE(repaints_after(world, 0.04));
    settle(world);
    ASSERT_TRUE(world.sky->view().arrived);
    // The view keeps turning with the clock, but that is no motion to draw at the display's pace.
    EXPECT_FALSE(repaints_after(world, 0.04));
}

} // namespace stellaro
