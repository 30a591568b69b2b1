#include "astro/coordinates.h"
#include "astro/earth_rotation.h"
#include "astro/observer_time.h"

#include <gtest/gtest.h>

#include <cmath>

namespace stellaro {

namespace {

constexpr double ARCSECOND = 1.0 / 3600.0;

TEST(Coordinates, EclipticToEquatorialGivesPolluxAndHoursBelow24)
{
    struct Case {
        double longitude, latitude, obliquity, ra, dec, tolerance_deg;
    };
    // Negative longitudes come back below 24 h; Pollux is alpha 116.328942, delta 28.026183.
    for (const Case& c : {Case{90.0, 0.0, 23.44, 6.0, 23.44, 1e-12}, Case{-15.0, 0.0, 0.0, 23.0, 0.0, 1e-12},
                          Case{113.215630, 6.684170, 23.4392911, 116.328942 / 15.0, 28.026183, 1e-5}}) {
        const EquatorialPosition p = ecliptic_to_equatorial(c.longitude, c.latitude, c.obliquity);
        EXPECT_NEAR(p.ra * 15.0, c.ra * 15.0, c.tolerance_deg) << c.longitude;
        EXPECT_NEAR(p.dec, c.dec, c.tolerance_deg) << c.longitude;
    }
}

TEST(Coordinates, VenusFromWashingtonHasThePublishedAzimuthAndAltitude)
{
    // 1987 April 10, 19:21 UT; azimuth 68.0337 west of south, altitude 15.1249.
    ObserverTime observer;
    observer.set_observer(-(77.0 + 3.0 / 60 + 56.0 / 3600), 38.0 + 55.0 / 60 + 17.0 / 3600);
    observer.set_moment(2446895.5, 19.0, 21.0, 0.0, 0.0);
    const HorizontalPosition venus =
        equatorial_to_horizontal(observer, 23.0 + 9.0 / 60 + 16.641 / 3600, -(6.0 + 43.0 / 60 + 11.61 / 3600));
    EXPECT_NEAR(venus.azimuth, 68.0337 + 180.0, 2e-4);
    EXPECT_NEAR(venus.altitude, 15.1249, 2e-4);
}

TEST(Coordinates, TheCelestialPolesStayFiniteAtEveryHourAngle)
{
    for (const double hour_angle : {-30.0, 0.0, 6.0, 17.5}) {
        const HorizontalPosition north = equatorial_to_horizontal_south(hour_angle, 90.0, 48.0);
        EXPECT_TRUE(std::isfinite(north.azimuth));
        EXPECT_NEAR(north.altitude, 48.0, 1e-6);
        const HorizontalPosition south = equatorial_to_horizontal_south(hour_angle, -90.0, 48.0);
        EXPECT_TRUE(std::isfinite(south.azimuth));
        EXPECT_NEAR(south.altitude, -48.0, 1e-6);
    }
}

TEST(Coordinates, AberrationAndFk5CorrectionOfTheSunOn1992October13)
{
    // -20.4898" / R with R = 0.99760775, and the published FK5 correction.
    const double jd = 2448908.5;
    const double sun = 199.907372;
    const EclipticOffset offset = aberration(sun, 0.0, jd);
    EXPECT_NEAR(offset.longitude / ARCSECOND, -20.539, 0.01);
    EXPECT_NEAR(offset.latitude, 0.0, 1e-12);
    EXPECT_NEAR(fk5_longitude_correction(sun, 0.0, jd) / ARCSECOND, -0.09033, 1e-9);
}

} // namespace

} // namespace stellaro
