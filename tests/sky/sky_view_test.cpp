#include "astro/coordinates.h"
#include "astro/equatorial_vector.h"
#include "astro/observer_time.h"
#include "sky/sky_view.h"

#include <cmath>
#include <numbers>

#include <gtest/gtest.h>

namespace stellaro {

namespace {

constexpr double DEGREES = std::numbers::pi / 180.0;

FixedVector horizontal(double azimuth, double altitude)
{
    const double a = azimuth * DEGREES, h = altitude * DEGREES;
    return fixed_vector(EquatorialVector{std::cos(h) * std::cos(a), std::cos(h) * std::sin(a), std::sin(h)});
}

SkyView view_of(double azimuth, double altitude, double zoom = 0.0, int32_t w = 320, int32_t h = 240)
{
    SkyView view;
    view.w = w;
    view.h = h;
    view.view_azimuth = azimuth * DEGREES;
    view.view_altitude = altitude * DEGREES;
    view.zoom = zoom;
    ObserverTime observer;
    observer.set_observer(2.35, 48.85);
    view.rebuild(observer);
    return view;
}

} // namespace

TEST(SkyProjection, TheViewCentreLandsOnTheElementCentreInFront)
{
    const SkyView view = view_of(123.0, 34.0);
    const FixedVector p = project(horizontal(123.0, 34.0), view.horizon_to_screen);
    EXPECT_NEAR(p.x, 160, 1);
    EXPECT_NEAR(p.y, 120, 1);
    EXPECT_EQ(p.z, -10);
    const FixedVector behind = project(horizontal(303.0, -34.0), view.horizon_to_screen);
    EXPECT_EQ(behind.z, 9);
}

TEST(SkyProjection, AStarAtTheViewCentreLandsOnTheCentre)
{
    ObserverTime observer;
    observer.set_observer(2.35, 48.85);
    observer.set_moment(2461398.5, 21, 0, 0, -1.0);
    // Betelgeuse, as the catalogue gives it.
    const double ra = 5.919528, dec = 7.406944;
    const HorizontalPosition place = equatorial_to_horizontal(observer, ra, dec);
    SkyView view;
    view.w = 480;
    view.h = 800;
    view.view_azimuth = place.azimuth * DEGREES;
    view.view_altitude = place.altitude * DEGREES;
    view.rebuild(observer);
    const FixedVector star = fixed_vector(equatorial_vector(ra * std::numbers::pi / 12.0, dec * DEGREES));
    const FixedVector p = project(star, view.sky_to_screen);
    // The star's vector is truncated to 1/1024: a pixel or so of 800.
    EXPECT_NEAR(p.x, 240, 2);
    EXPECT_NEAR(p.y, 400, 2);
    EXPECT_LT(p.z, 0);
    // The horizon-scaled second component is -r sin(altitude).
    EXPECT_NEAR(project(star, view.sky_to_horizon_scaled).y, -view.radius() * std::sin(place.altitude * DEGREES), 2.0);
}

TEST(SkyProjection, FacingNorthEastIsRightAndTheZenithIsUp)
{
    const SkyView view = view_of(0.0, 0.0);
    EXPECT_GT(project(horizontal(10.0, 0.0), view.horizon_to_screen).x, 165);
    EXPECT_LT(project(horizontal(-10.0, 0.0), view.horizon_to_screen).x, 155);
    EXPECT_LT(project(horizontal(0.0, 10.0), view.horizon_to_screen).y, 115);
    EXPECT_GT(project(horizontal(0.0, -10.0), view.horizon_to_screen).y, 125);
}

TEST(SkyProjection, ADirectionLiesRSinThetaFromTheCentreAndZoomScalesIt)
{
    for (const double zoom : {0.0, 1.0, 3.0}) {
        const SkyView view = view_of(0.0, 0.0, zoom);
        const double r = 240.0 * std::exp2(zoom);
        const FixedVector p = project(horizontal(0.0, 5.0), view.horizon_to_screen);
        EXPECT_NEAR(120 - p.y, r * std::sin(5.0 * DEGREES), 1.0 + r / 1024.0) << zoom;
    }
}

TEST(SkyProjection, TheAltitudeScaleKeepsItsHeightWhateverTheAzimuth)
{
    const FixedVector thirty = horizontal(0.0, 30.0);
    const int64_t y = project(thirty, view_of(0.0, 10.0).tilt_to_screen).y;
    EXPECT_EQ(project(thirty, view_of(200.0, 10.0).tilt_to_screen).y, y);
    EXPECT_LT(y, 120);
}

TEST(SkyMotion, ZoomAndDraggingStopAtTheirLimits)
{
    SkyView view;
    view.zoom_by(-200);
    EXPECT_DOUBLE_EQ(view.zoom, 3.0);
    view.zoom = 0.0;
    view.zoom_by(10);
    EXPECT_DOUBLE_EQ(view.zoom, 0.0);
    view.zoom = 1.0;
    view.zoom_by(-50);
    EXPECT_DOUBLE_EQ(view.zoom, 2.0);

    view.zoom = 0.0;
    view.h = 320;
    for (int i = 0; i < 100; ++i)
        view.drag(0, 50);
    EXPECT_DOUBLE_EQ(view.view_altitude, SkyView::MAX_ALTITUDE);
    for (int i = 0; i < 200; ++i)
        view.drag(0, -50);
    EXPECT_DOUBLE_EQ(view.view_altitude, -SkyView::MAX_ALTITUDE);
    view.view_altitude = 0.0;
    view.drag(32, 0);
    EXPECT_DOUBLE_EQ(view.view_azimuth, -0.1);
    EXPECT_DOUBLE_EQ(view.azimuth_travel, -0.1);
}

TEST(SkyMotion, ATargetIsReachedTheShortWayRound)
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

    // Once arrived the view follows its target at once, and a target stops any inertia.
    SkyView moving;
    moving.h = 320;
    moving.pan_velocity_x = 400.0;
    moving.step(1.0, SkyTarget{0.5, 0.2});
    EXPECT_TRUE(moving.arrived);
    EXPECT_EQ(moving.pan_velocity_x, 0.0);
    moving.step(0.04, SkyTarget{2.5, -0.7});
    EXPECT_DOUBLE_EQ(moving.view_azimuth, 2.5);
    EXPECT_DOUBLE_EQ(moving.view_altitude, -0.7);
    EXPECT_TRUE(moving.arrived);
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
    EXPECT_DOUBLE_EQ(view.azimuth_travel, view.view_azimuth);

    // Upward velocity lowers the view, within the limit; a slow one stops.
    view.pan_velocity_y = -100000.0;
    view.step(0.04, std::nullopt);
    EXPECT_DOUBLE_EQ(view.view_altitude, SkyView::MAX_ALTITUDE);
    view.pan_velocity_y = 3.0;
    view.step(0.04, std::nullopt);
    EXPECT_EQ(view.pan_velocity_y, 0.0);
}

} // namespace stellaro
