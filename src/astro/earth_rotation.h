#pragma once

namespace stellaro {

// Nutation in longitude and in obliquity, in arcseconds.
struct Nutation {
    double longitude = 0.0;
    double obliquity = 0.0;
};

Nutation nutation(double jd);
double nutation_in_longitude(double jd);
double nutation_in_obliquity(double jd);

// Obliquity of the ecliptic in degrees: the mean one (Laskar) and the one with nutation.
double mean_obliquity(double jd);
double true_obliquity(double jd);

// Sidereal time at Greenwich in hours, 0..24.
double greenwich_mean_sidereal_time(double jd);
double greenwich_apparent_sidereal_time(double jd);

} // namespace stellaro
