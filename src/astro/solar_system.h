#pragma once
#include "astro/body.h"
#include "astro/equatorial_vector.h"

namespace stellaro {

// Light time in days per AU.
constexpr double LIGHT_TIME_PER_AU = 0.0057755183;

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

// The place of the Sun or a planet; the Moon, which has a theory of its own, gives an empty place.
// fast skips light time, aberration and nutation in longitude, which is good enough for drawing.
PlanetPlace planet_place(double jd, Body body, bool fast);

BodyPosition body_position(double jd, Body body, bool fast);

} // namespace stellaro
