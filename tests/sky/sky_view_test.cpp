#include "astro/equatorial_vector.h"
#include "astro/observer_time.h"
#include "sky/sky_view.h"

#include <cmath>
#include <numbers>

#include <gtest/gtest.h>

namespace stellaro {

namespace {

constexpr double DEGREES = std::numbers::pi / 180.0;

EquatorialVector horizontal(double azimuth, double altitude)
{
    const double a = azimuth * DEGREES, h = altitude * DEGREES;
    return EquatorialVector{std::cos(h) * std::cos(a), std::cos(h) * std::sin(a), std::sin(h)};
}

SkyView view_of(double azimuth, double altitude)
{
    SkyView view;
    view.w = 320;
    view.h = 240;
    view.view_azimuth = azimuth * DEGREES;
    view.view_altitude = altitude * DEGREES;
    ObserverTime observer;
    observer.set_observer(2.35, 48.85);
    view.rebuild(observer);
    return view;
}

} // namespace

TEST(SkyProjection, TheViewCentreLandsOnTheCentreInFrontAndEastIsRight)
{
    const SkyView view = view_of(123.0, 34.0);
    const ScreenPoint p = project(horizontal(123.0, 34.0), view.horizon_to_screen);
    EXPECT_NEAR(p.x, 160, 1e-9);
    EXPECT_NEAR(p.y, 120, 1e-9);
    EXPECT_LT(p.depth, 0) << "in front";
    EXPECT_GT(project(horizontal(303.0, -34.0), view.horizon_to_screen).depth, 0) << "behind";

    const SkyView north = view_of(0.0, 0.0);
    EXPECT_GT(project(horizontal(10.0, 0.0), north.horizon_to_screen).x, 165);
    EXPECT_LT(project(horizontal(0.0, 10.0), north.horizon_to_screen).y, 115);
}

TEST(SkyMotion, ZoomAndDraggingStopAtTheirLimits)
{
    SkyView view;
    view.zoom_by(-200);
    EXPECT_DOUBLE_EQ(view.zoom, 3.0);
    view.zoom = 0.0;
    view.zoom_by(10);
    EXPECT_DOUBLE_EQ(view.zoom, 0.0);

    view.h = 320;
    for (int i = 0; i < 100; ++i)
        view.drag(0, 50);
    EXPECT_DOUBLE_EQ(view.view_altitude, SkyView::MAX_ALTITUDE);
    for (int i = 0; i < 200; ++i)
        view.drag(0, -50);
    EXPECT_DOUBLE_EQ(view.view_altitude, -SkyView::MAX_ALTITUDE);
}

TEST(SkyMotion, ATargetIsReachedTheShortWayRoundThenFollowedAtOnce)
{
    SkyView view;
    view.h = 320;
    view.view_azimuth = 10.0 * DEGREES;
    const SkyTarget target{350.0 * DEGREES, 0.0};
    view.step(0.1, target);
    EXPECT_NEAR(view.view_azimuth, 10.0 * DEGREES - 0.1, 1e-12);
    EXPECT_FALSE(view.arrived);
    for (int i = 0; i < 3; ++i)
        view.step(0.1, target);
    EXPECT_TRUE(view.arrived);
    EXPECT_NEAR(std::fmod(view.view_azimuth + 2 * std::numbers::pi, 2 * std::numbers::pi), 350.0 * DEGREES, 1e-12);
    EXPECT_NEAR(view.azimuth_travel, -20.0 * DEGREES, 1e-12);

    view.pan_velocity_x = 400.0;
    view.step(0.04, SkyTarget{2.5, -0.7});
    EXPECT_NEAR(std::remainder(view.view_azimuth - 2.5, 2 * std::numbers::pi), 0.0, 1e-12);
    EXPECT_DOUBLE_EQ(view.view_altitude, -0.7);
    EXPECT_EQ(view.pan_velocity_x, 0.0) << "a target stops any inertia";
}

TEST(SkyMotion, InertiaTurnsTheViewThenDecaysAndStopsAndIsClampedUpward)
{
    SkyView view;
    view.h = 320;
    view.pan_velocity_x = 1000.0;
    view.step(0.001, std::nullopt);
    EXPECT_NEAR(view.view_azimuth / 0.001, 3.1, 0.05);
    double previous = view.view_azimuth;
    int frames = 0;
    while (view.pan_velocity_x != 0.0 && frames < 1000) {
        view.step(0.04, std::nullopt);
        EXPECT_GE(view.view_azimuth, previous);
        previous = view.view_azimuth;
        ++frames;
    }
    EXPECT_LT(frames, 100);
    view.step(0.04, std::nullopt);
    EXPECT_EQ(view.view_azimuth, previous);

    // Upward velocity lowers the view, within the limit; a slow one stops.
    view.pan_velocity_y = -100000.0;
    view.step(0.04, std::nullopt);
    EXPECT_DOUBLE_EQ(view.view_altitude, SkyView::MAX_ALTITUDE);
    view.pan_velocity_y = 3.0;
    view.step(0.04, std::nullopt);
    EXPECT_EQ(view.pan_velocity_y, 0.0);
}

} // namespace stellaro
