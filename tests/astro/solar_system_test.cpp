#include "astro/moon.h"
#include "astro/solar_system.h"
#include "astro/vsop87.h"

#include <gtest/gtest.h>

#include <cmath>

namespace stellaro {

namespace {

constexpr double ARCSECOND = 1.0 / 3600.0;

double hours(double h, double m, double s)
{
    return h + m / 60.0 + s / 3600.0;
}

// Right ascension in hours within the given arcseconds (of a great circle at that declination).
void expect_ra(double actual, double expected, double dec, double arcseconds)
{
    EXPECT_LE(std::fabs(actual - expected) * 15.0 * std::cos(dec * M_PI / 180.0), arcseconds * ARCSECOND)
        << "RA off by " << (actual - expected) * 3600.0 << " s";
}

TEST(WorkedExamples, SunVenusAndMoon)
{
    const PlanetPlace sun = planet_place(2448908.5, Body::sun, false);
    const double sun_dec = -(7.0 + 47.0 / 60.0 + 1.94 / 3600.0);
    expect_ra(sun.ra, hours(13, 13, 30.763), sun_dec, 1.0);
    EXPECT_NEAR(sun.dec, sun_dec, ARCSECOND);
    EXPECT_NEAR(sun.distance, 0.99760775, 1e-7);
    const HeliocentricPosition earth = heliocentric(Planet::Earth, 2448908.5);
    EXPECT_NEAR(earth.longitude, 19.907372, 1e-6);
    EXPECT_NEAR(earth.latitude / ARCSECOND, -0.644, 0.01);

    const PlanetPlace venus = planet_place(2448976.5, Body::venus, false);
    expect_ra(venus.ra, hours(21, 4, 41.50), -18.88801, 1.0);
    EXPECT_NEAR(venus.dec, -18.88801, ARCSECOND);
    EXPECT_NEAR(venus.distance, 0.910947, 1e-5);
    EXPECT_NEAR(venus.light_time, 0.0052612, 1e-6);
    const HeliocentricPosition heliocentric_venus = heliocentric(Planet::Venus, 2448976.5);
    EXPECT_NEAR(heliocentric_venus.longitude, 26.11428, 1e-4);
    EXPECT_NEAR(heliocentric_venus.latitude, -2.62070, 1e-4);
    EXPECT_NEAR(heliocentric_venus.radius, 0.724603, 1e-5);

    const double moon_jd = 2448724.5;
    EXPECT_NEAR(moon_longitude(moon_jd), 133.167265, 3.0 * ARCSECOND);
    EXPECT_NEAR(moon_latitude(moon_jd), -3.229126, 3.0 * ARCSECOND);
    EXPECT_NEAR(moon_distance(moon_jd), 368409.7, 10.0);
    const MoonArguments a = moon_arguments(moon_jd);
    EXPECT_NEAR(a.mean_longitude, 134.290182, 1e-6);
    EXPECT_NEAR(a.elongation, 113.842304, 1e-6);
    EXPECT_NEAR(a.sun_anomaly, 97.643514, 1e-6);
    EXPECT_NEAR(a.anomaly, 5.150833, 1e-6);
    EXPECT_NEAR(a.latitude_argument, 219.889721, 1e-6);
    EXPECT_NEAR(a.eccentricity, 1.000194, 1e-6);
}

TEST(SolarSystem, SunAtJ2000)
{
    EXPECT_NEAR(sun_geometric_longitude(2451545.0), 280.37, 0.01);
    EXPECT_NEAR(body_position(2451545.0, Body::sun, false).dec, -23.0, 0.05);
}

TEST(SolarSystem, BodyNamesAndNumbersAreTheStoredOnes)
{
    const char* names[] = {"Sun", "Mercury", "Venus", "Moon", "Mars", "Jupiter", "Saturn", "Uranus", "Neptune"};
    ASSERT_EQ(std::size(names), BODY_COUNT);
    for (size_t i = 0; i < BODY_COUNT; ++i) {
        EXPECT_EQ(body_index(ALL_BODIES[i]), i);
        EXPECT_EQ(body_name(ALL_BODIES[i]), names[i]);
        EXPECT_EQ(body_named(names[i]), ALL_BODIES[i]);
    }
    EXPECT_EQ(body_named("mOOn"), Body::moon);
    for (const char* other : {"", "Pluto", "Moo", "Moons", "3"})
        EXPECT_FALSE(body_named(other).has_value()) << other;
}

TEST(SolarSystem, EveryBodyHasTheDirectionOfItsPlaceAndOnlyTheMoonAPhase)
{
    const double jd = 2448976.5;
    for (const Body body : ALL_BODIES) {
        const BodyPosition position = body_position(jd, body, false);
        EXPECT_NEAR(position.direction.x, std::cos(position.ra * M_PI / 12.0) * std::cos(position.dec * M_PI / 180.0), 1e-12);
        EXPECT_NEAR(position.direction.y, std::sin(position.ra * M_PI / 12.0) * std::cos(position.dec * M_PI / 180.0), 1e-12);
        EXPECT_NEAR(position.direction.z, std::sin(position.dec * M_PI / 180.0), 1e-12);
        if (body != Body::moon) {
            EXPECT_EQ(position.ra, planet_place(jd, body, false).ra) << body_name(body);
            EXPECT_EQ(position.phase_angle, 0.0) << body_name(body);
        }
    }
    EXPECT_EQ(planet_place(jd, Body::moon, false).distance, 0.0);
    expect_ra(body_position(jd, Body::venus, false).ra, hours(21, 4, 41.50), -18.88801, 1.0);
}

TEST(SolarSystem, FastPlacesStayCloseToTheFullOnes)
{
    // Light time, aberration and nutation together move a body by well under two arcminutes.
    for (double jd = 2415020.5; jd < 2488070.0; jd += 7305.0) {
        for (const Body body : ALL_BODIES) {
            const BodyPosition full = body_position(jd, body, false);
            const BodyPosition fast = body_position(jd, body, true);
            const double cosine = full.direction.x * fast.direction.x + full.direction.y * fast.direction.y + full.direction.z * fast.direction.z;
            EXPECT_LT(std::acos(std::fmin(1.0, cosine)) * 180.0 / M_PI, 120.0 * ARCSECOND) << body_name(body) << " jd " << jd;
        }
    }
}

TEST(SolarSystem, LightTimeSettlesForEveryPlanetEvenFarFromTheEpoch)
{
    for (const double jd : {0.0, 1000000.5, 2451545.0, 2488069.5, 5373484.5}) {
        for (const Body body : ALL_BODIES) {
            if (body == Body::moon)
                continue;
            const PlanetPlace place = planet_place(jd, body, false);
            EXPECT_TRUE(std::isfinite(place.ra) && std::isfinite(place.dec)) << body_name(body) << " at " << jd;
            EXPECT_GE(place.ra, 0.0);
            EXPECT_LT(place.ra, 24.0);
            EXPECT_GE(place.longitude, 0.0);
            EXPECT_LE(place.longitude, 360.0);
            EXPECT_NEAR(place.light_time, LIGHT_TIME_PER_AU * place.distance, 1e-15);
        }
    }
    // Neptune is about four light hours away.
    EXPECT_NEAR(planet_place(2451545.0, Body::neptune, false).light_time * 24.0, 4.2, 0.3);
}

double moon_phase(double jd, bool fast = false)
{
    return body_position(jd, Body::moon, fast).phase_angle;
}

TEST(MoonPhase, RunsDownThroughTheLunationAndFollowsTheElongation)
{
    // New moon 2000 January 6, 18:14 UT; full moon 2000 January 21, 04:40 UT.
    const double new_moon = 2451550.26;
    const double full_moon = 2451564.69;
    EXPECT_NEAR(moon_phase(new_moon), 180.0, 8.0);
    EXPECT_LT(std::fmin(moon_phase(full_moon), 360.0 - moon_phase(full_moon)), 8.0);
    // Waning before new moon (above 180), waxing after it (below); small just before full moon,
    // close to 360 just after.
    EXPECT_GT(moon_phase(new_moon - 2.0), 180.0);
    EXPECT_LT(moon_phase(new_moon + 2.0), 180.0);
    EXPECT_LT(moon_phase(full_moon - 2.0), 60.0);
    EXPECT_GT(moon_phase(full_moon + 2.0), 300.0);
    double previous = 360.0;
    for (double jd = new_moon + 0.5; jd < full_moon - 0.5; jd += 0.5) {
        EXPECT_LT(moon_phase(jd), previous) << jd;
        previous = moon_phase(jd);
    }

    // About 150 degrees when the mean elongation is near 30, about 330 near 210.
    int near_30 = 0, near_210 = 0;
    for (double jd = 2451545.0; jd < 2451545.0 + 60.0; jd += 0.25) {
        const double elongation = moon_arguments(jd).elongation;
        const double phase = moon_phase(jd, true);
        if (std::fabs(elongation - 30.0) < 2.0) {
            EXPECT_NEAR(phase, 150.0, 3.0) << jd;
            ++near_30;
        }
        if (std::fabs(elongation - 210.0) < 2.0) {
            EXPECT_NEAR(phase, 330.0, 3.0) << jd;
            ++near_210;
        }
        EXPECT_GE(phase, 0.0);
        EXPECT_LE(phase, 360.0);
    }
    EXPECT_GE(near_30, 2);
    EXPECT_GE(near_210, 2);
}

} // namespace

} // namespace stellaro
