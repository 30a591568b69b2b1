#include "sky/sky_fixture.h"

namespace stellaro {

// Pictures of the real sky: Paris on the evening of 2026-12-24, turned to Orion, unless said.

TEST(SkyGolden, EveningToOrionByDayAndNightColours)
{
    for (const bool night : {false, true}) {
        SkyWorld world(Size{320, 240}, night);
        world.look(120.0, 25.0);
        settle(world);
        EXPECT_TRUE(matches_golden(world.picture(), night ? "sky_night.png" : "sky_evening.png"));
    }
}

TEST(SkyGolden, TheMoonSelectedAndZoomed)
{
    SkyWorld world;
    world.look(120.0, 25.0, 2.5);
    world.sky->select(SkyObject::of(Body::moon));
    settle(world);
    EXPECT_TRUE(matches_golden(world.picture(), "sky_moon_selected.png"));
}

TEST(SkyGolden, MiddayWithTheSun)
{
    SkyWorld world;
    world.set_moment(2026, 6, 21, 13, 30, 120);
    world.look(180.0, 50.0, 1.0);
    world.sky->select(SkyObject::of(Body::sun));
    settle(world);
    EXPECT_TRUE(matches_golden(world.picture(), "sky_sun.png"));
}

TEST(SkyGolden, EverySwitchOffLeavesHorizonEclipticAndScale)
{
    SkyWorld world;
    world.document.show_back = false;
    world.document.show_grid = false;
    world.document.show_stars = false;
    world.document.show_constellations = false;
    world.document.show_planets = false;
    world.look(100.0, 20.0);
    settle(world);
    EXPECT_TRUE(matches_golden(world.picture(), "sky_switches_off.png"));
}

} // namespace stellaro
