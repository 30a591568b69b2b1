#pragma once

namespace stellaro {

// The mean arguments of the lunar theory at a moment, degrees in 0..360.
struct MoonArguments {
    double mean_longitude = 0.0;    // L'
    double elongation = 0.0;        // D, the Moon's mean elongation from the Sun
    double sun_anomaly = 0.0;       // M
    double anomaly = 0.0;           // M'
    double latitude_argument = 0.0; // F, the mean distance from the ascending node
    double eccentricity = 1.0;      // E, the factor for terms with the Sun's anomaly
};

MoonArguments moon_arguments(double jd);

// The Moon's geocentric place: apparent ecliptic longitude (with nutation, 0..360) and
// latitude in degrees, distance between the centres of Earth and Moon in km.
struct MoonPlace {
    double longitude = 0.0;
    double latitude = 0.0;
    double distance = 0.0;
};

MoonPlace moon_place(double jd);
double moon_longitude(double jd);
double moon_latitude(double jd);
double moon_distance(double jd);

} // namespace stellaro
