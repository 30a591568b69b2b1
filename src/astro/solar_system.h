#pragma once
#include "astro/body.h"
#include "astro/equatorial_vector.h"

namespace stellaro {

// Kilometres per astronomical unit.
constexpr double KM_PER_AU = 149597870.691;

// Light time in days per AU.
constexpr double LIGHT_TIME_PER_AU = 0.0057755183;

// Where one body is at one moment, seen from the Earth's centre: the apparent equatorial position
// of date as a unit vector and in hours and degrees, and for the Moon its phase angle (degrees
// 0..360, falling from 180 to 0 while it waxes and from 360 to 180 while it wanes; 0 for the other
// bodies). The distances and what follows from them serve the observer's place, the lit fraction
// and the brightness.
struct BodyPosition {
    EquatorialVector direction;
    double ra = 0.0;
    double dec = 0.0;
    double phase_angle = 0.0;
    double distance_au = 0.0;       // from the Earth's centre
    double sun_distance_au = 0.0;   // from the Sun's centre; 0 for the Sun
    double illumination_deg = 0.0;  // the Sun-body-Earth angle, 0..180; 0 for the Sun
    double illuminated_fraction = 1.0;
    double magnitude = 0.0;         // visual, from the Earth's centre
};

// The geocentric place of the Sun or a planet: apparent ecliptic longitude (0..360) and latitude
// in degrees, distance in AU, light time in days, right ascension in hours, declination in degrees.
struct PlanetPlace {
    double longitude = 0.0;
    double latitude = 0.0;
    double distance = 0.0;
    double sun_distance = 0.0; // AU, when the light left the planet; 0 for the Sun
    double light_time = 0.0;
    double ra = 0.0;
    double dec = 0.0;
};

// The place of the Sun or a planet at a Julian day in TT (dynamical time); the Moon, which has a
// theory of its own, gives an empty place. fast skips light time and aberration (20" at most,
// which the drawn stars leave out as well), which is good enough for drawing.
PlanetPlace planet_place(double jd_tt, Body body, bool fast);

// Any body at a Julian day in TT; for a moment in UT pass terrestrial_time(jd_ut).
BodyPosition body_position(double jd_tt, Body body, bool fast);

} // namespace stellaro
