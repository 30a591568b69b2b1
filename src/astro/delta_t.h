#pragma once

namespace stellaro {

// ΔT = TT − UT in seconds at a decimal year, from the polynomials of Espenak & Meeus (NASA
// Five Millennium Canon of Solar Eclipses, 2006). They are fitted to the record from −500 to
// 2005 and extrapolated to 2150; outside −500..2150 the long-term parabola −20 + 32 u²
// (u = (year − 1820) / 100 centuries) is used, good to a few per cent of ΔT.
double delta_t_seconds(double decimal_year);

// The decimal year of a Julian day (2000.0 at J2000.0, 365.25 days a year).
double decimal_year(double jd);

// The Julian day in TT of a Julian day in UT.
double terrestrial_time(double jd_ut);

} // namespace stellaro
