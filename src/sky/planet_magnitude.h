#pragma once
#include "astro/body.h"

namespace stellaro {

// The visual magnitude of a body from its distances and phase angle: sun_distance_au the body's
// distance from the Sun, earth_distance_au from the Earth, phase_angle_deg the Sun-body-Earth
// angle; ring_tilt_deg is the tilt of Saturn's rings toward the Earth (ignored for the others).
// Planets follow Mallama and Hilton (2018); Saturn with its rings the Astronomical Almanac's
// formula; the Sun and the Moon their usual mean laws.
double apparent_magnitude_of(Body body, double sun_distance_au, double earth_distance_au, double phase_angle_deg,
                             double ring_tilt_deg = 0.0);

// The visual magnitude of the Sun or a planet at the moment, from its heliocentric and the
// Earth's places (the Moon: when full at its mean distance).
double sky_magnitude(Body body, double jd);

} // namespace stellaro
