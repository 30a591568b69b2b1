#pragma once
#include "astro/coordinates.h"
#include "astro/rotation.h"

namespace stellaro {

// The rotation from the catalogue frame (mean equator and equinox of J2000.0) to the true
// equator and equinox of a moment (Julian day in TT): precession, then nutation.
Rotation frame_of_date(double jd_tt);

// The Earth's heliocentric velocity at a moment (Julian day in TT), in the true equatorial frame
// of date, in units of the speed of light.
EquatorialVector earth_velocity_over_c(double jd_tt);

// A direction of the true equatorial frame of date displaced by annual aberration for an
// observer moving with the velocity (in units of c).
EquatorialVector aberrated(const EquatorialVector& direction, const EquatorialVector& velocity_over_c);

// The apparent place of date of a catalogue direction (a star without proper motion or
// parallax): precession, nutation and annual aberration; Julian day in TT.
EquatorialVector apparent_direction(const EquatorialVector& catalogue, double jd_tt);

// The same for a catalogue place given as right ascension (hours) and declination (degrees).
EquatorialPosition apparent_place(double ra_hours, double dec_deg, double jd_tt);

// Right ascension (hours, 0..24) and declination (degrees) of a direction, which need not be a
// unit vector.
EquatorialPosition equatorial_position(const EquatorialVector& direction);

} // namespace stellaro
