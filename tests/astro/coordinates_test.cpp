#include "astro/coordinates.h"
#include "astro/earth_rotation.h"
#include "astro/observer_time.h"

#include <gtest/gtest.h>

#include <cmath>

namespace stellaro {

namespace {

constexpr double ARCSECOND = 1.0 / 3600.0;

// An observer whose local sidereal time is the given number of hours.
ObserverTime observer_at(double latitude, double local_sidereal_time)
{
    ObserverTime observer;
    observer.set_observer(0.0, latitude);
    observer.sidereal_time = local_sidereal_time + 24.0;
    return observer;
}

TEST(EclipticToEquatorial, KnownPlacesWithHoursBelow24)
{
    struct Case {
        double longitude, latitude, obliquity, ra, dec, tolerance_deg;
    };
    // The equinox, the solstice, negative angles coming back below 24 h, and Pollux from the
    // textbook (alpha 116.328942 degrees, delta 28.026183).
    for (const Case& c : {Case{0.0, 0.0, 23.44, 0.0, 0.0, 1e-12}, Case{90.0, 0.0, 23.44, 6.0, 23.44, 1e-12},
                          Case{345.0, 0.0, 0.0, 23.0, 0.0, 1e-12}, Case{-15.0, 0.0, 0.0, 23.0, 0.0, 1e-12},
                          Case{270.0, -5.0, 23.44, 18.0, -28.44, 1e-9},
                          Case{113.215630, 6.684170, 23.4392911, 116.328942 / 15.0, 28.026183, 1e-5}}) {
        const EquatorialPosition p = ecliptic_to_equatorial(c.longitude, c.latitude, c.obliquity);
        EXPECT_NEAR(p.ra * 15.0, c.ra * 15.0, c.tolerance_deg) << c.longitude;
        EXPECT_NEAR(p.dec, c.dec, c.tolerance_deg) << c.longitude;
    }
}

TEST(EquatorialToHorizontal, MeridianAndWesternHorizon)
{
    const double latitude = 52.0;
    const HorizontalPosition meridian = equatorial_to_horizontal(observer_at(latitude, 5.0), 5.0, 20.0);
    EXPECT_NEAR(meridian.azimuth, 180.0, 1e-9);
    EXPECT_NEAR(meridian.altitude, 90.0 - latitude + 20.0, 1e-9);

    const HorizontalPosition setting = equatorial_to_horizontal(observer_at(latitude, 11.0), 5.0, 0.0);
    EXPECT_NEAR(setting.azimuth, 270.0, 1e-9);
    EXPECT_NEAR(setting.altitude, 0.0, 1e-9);

    const HorizontalPosition rising = equatorial_to_horizontal(observer_at(latitude, 23.0), 5.0, 0.0);
    EXPECT_NEAR(rising.azimuth, 90.0, 1e-9);
}

TEST(EquatorialToHorizontal, VenusFromWashingtonFromTheTextbook)
{
    // 1987 April 10, 19:21 UT; Venus at 23h 09m 16.641s, -6 43' 11.61"; azimuth 68.0337 west of
    // south, altitude 15.1249 degrees.
    ObserverTime observer;
    observer.set_observer(-(77.0 + 3.0 / 60 + 56.0 / 3600), 38.0 + 55.0 / 60 + 17.0 / 3600);
    observer.set_moment(2446895.5, 19.0, 21.0, 0.0, 0.0);
    const double ra = 23.0 + 9.0 / 60 + 16.641 / 3600;
    const double dec = -(6.0 + 43.0 / 60 + 11.61 / 3600);
    const HorizontalPosition venus = equatorial_to_horizontal(observer, ra, dec);
    EXPECT_NEAR(venus.azimuth, 68.0337 + 180.0, 2e-4);
    EXPECT_NEAR(venus.altitude, 15.1249, 2e-4);
}

TEST(EquatorialToHorizontalSouth, CelestialPolesGiveTheLatitude)
{
    for (const double hour_angle : {-30.0, 0.0, 3.0, 6.0, 17.5}) {
        const HorizontalPosition north = equatorial_to_horizontal_south(hour_angle, 90.0, 48.0);
        EXPECT_TRUE(std::isfinite(north.azimuth));
        EXPECT_TRUE(north.azimuth < 1e-6 || std::fabs(north.azimuth - 180.0) < 1e-6 || north.azimuth > 360.0 - 1e-6) << north.azimuth;
        EXPECT_NEAR(north.altitude, 48.0, 1e-6);
        const HorizontalPosition south = equatorial_to_horizontal_south(hour_angle, -90.0, 48.0);
        EXPECT_TRUE(std::isfinite(south.azimuth));
        EXPECT_NEAR(south.altitude, -48.0, 1e-6);
    }
    const HorizontalPosition zenith = equatorial_to_horizontal_south(0.0, 90.0, 90.0);
    EXPECT_NEAR(zenith.altitude, 90.0, 1e-6);
}

TEST(Aberration, OfTheSunIsItsConstantOverTheDistance)
{
    // 1992 October 13.0: -20.4898" / R with R = 0.99760775 is -20.539".
    const double jd = 2448908.5;
    const double sun = 199.907372;
    const EclipticOffset offset = aberration(sun, 0.0, jd, sun);
    EXPECT_NEAR(offset.longitude / ARCSECOND, -20.539, 0.01);
    EXPECT_NEAR(offset.latitude, 0.0, 1e-12);
    const EclipticOffset computed = aberration(sun, 0.0, jd);
    EXPECT_NEAR(computed.longitude, offset.longitude, 1e-4 * ARCSECOND);
}

TEST(Aberration, VanishesInLongitudeAtRightAnglesToTheSun)
{
    const EclipticOffset offset = aberration(110.0, 30.0, 2451545.0, 20.0);
    // Only the eccentricity term remains: at most e * 20.5" / cos(beta).
    EXPECT_LT(std::fabs(offset.longitude / ARCSECOND), 0.017 * 20.5 / std::cos(30.0 * M_PI / 180.0));
    EXPECT_NEAR(std::fabs(offset.latitude / ARCSECOND), 20.5 * 0.5, 0.4);
}

TEST(Fk5Correction, StaysWithinItsAmplitudes)
{
    EXPECT_NEAR(fk5_longitude_correction(199.907372, 0.0, 2448908.5) / ARCSECOND, -0.09033, 1e-9);
    for (double longitude = 0.0; longitude < 360.0; longitude += 15.0) {
        EXPECT_LE(std::fabs(fk5_latitude_correction(longitude, 2448908.5)) / ARCSECOND, 0.03916 * std::sqrt(2.0) + 1e-9);
    }
}

} // namespace

} // namespace stellaro
