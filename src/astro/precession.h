#pragma once
#include "astro/rotation.h"

namespace stellaro {

// Precession from the mean equator and equinox of J2000.0 to those of a moment (Julian day in
// TT), by the long-term model of Vondrák, Capitaine & Wallace (2011, A&A 534, A22, with the 2012
// corrigendum): it agrees with IAU 2006 near J2000.0 and stays within a few arcseconds over the
// historical period, where the classical polynomials drift by minutes of arc.
Rotation precession_matrix(double jd_tt);

// The poles of the model, unit vectors in the J2000.0 mean equatorial frame.
EquatorialVector ecliptic_pole(double jd_tt);
EquatorialVector equator_pole(double jd_tt);

} // namespace stellaro
