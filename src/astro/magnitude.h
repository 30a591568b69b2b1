#pragma once
#include "astro/body.h"

namespace stellaro {

// The visual magnitude of a body from its distances and phase angle: Mallama & Hilton (2018,
// Astronomy and Computing 25, 10) for the planets, with Saturn's rings from their tilt; the Sun
// at −26.74 at 1 AU; the Moon after Allen (the Astronomical Almanac's −12.73 + 0.026 |i|
// + 4e-9 i⁴ at its mean distance). sun_distance_au is the body's distance from the Sun (ignored
// for the Sun and the Moon), earth_distance_au its distance from the observer, phase_angle_deg
// the Sun–body–observer angle (0..180), ring_tilt_deg the Saturnicentric latitude of the
// observer (Saturn only, 0 otherwise).
double apparent_magnitude(Body body, double sun_distance_au, double earth_distance_au, double phase_angle_deg,
                          double ring_tilt_deg = 0.0);

// The tilt of Saturn's rings towards the Earth in degrees, from Saturn's geocentric ecliptic
// longitude and latitude of date (degrees) at a Julian day in TT (Meeus, ch. 45).
double saturn_ring_tilt_deg(double longitude_deg, double latitude_deg, double jd_tt);

// The lit fraction of the disc, 0..1, for a phase angle in degrees.
double illuminated_fraction(double phase_angle_deg);

} // namespace stellaro
