#pragma once
#include "astro/equatorial_vector.h"

namespace stellaro {

// The bodies of the sky, in drawing order: 0 Sun, 1 Mercury, 2 Venus, 3 Moon, 4 Mars, 5 Jupiter,
// 6 Saturn, 7 Uranus, 8 Neptune.
constexpr int BODY_SUN = 0;
constexpr int BODY_MOON = 3;
constexpr int BODY_COUNT = 9;

// Light time in days per AU.
constexpr double LIGHT_TIME_PER_AU = 0.0057755183;
// Obliquity the Moon is converted with: the mean obliquity of J2000.0.
constexpr double MOON_OBLIQUITY = 23.4392911;

// Where one body is at one moment: the apparent equatorial position as a unit vector and in
// hours and degrees, and for the Moon its phase angle (degrees 0..360; 0 for the other bodies).
struct BodyPosition {
    EquatorialVector direction;
    double ra = 0.0;
    double dec = 0.0;
    double phase_angle = 0.0;
};

// The geocentric place of the Sun or a planet: apparent ecliptic longitude (0..360) and latitude
// in degrees, distance in AU, light time in days, right ascension in hours, declination in degrees.
struct PlanetPlace {
    double longitude = 0.0;
    double latitude = 0.0;
    double distance = 0.0;
    double light_time = 0.0;
    double ra = 0.0;
    double dec = 0.0;
};

// planet_index: 0 Sun, 1 Mercury, 2 Venus, 3 Mars, 4 Jupiter, 5 Saturn, 6 Uranus, 7 Neptune; an
// index outside gives an empty place. fast skips light time, aberration and nutation in longitude,
// which is good enough for drawing.
PlanetPlace planet_place(double jd, int planet_index, bool fast);

// A body outside 0..8 is put at right ascension 0, declination 0.
BodyPosition body_position(double jd, int body, bool fast);

} // namespace stellaro
