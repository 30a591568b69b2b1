#pragma once

namespace stellaro {

// The bodies with VSOP87 series.
enum class Planet { Earth, Mercury, Venus, Mars, Jupiter, Saturn, Uranus, Neptune };

// Heliocentric ecliptic longitude and latitude in degrees (longitude 0..360), radius vector in AU;
// equinox of date.
struct HeliocentricPosition {
    double longitude = 0.0;
    double latitude = 0.0;
    double radius = 0.0;
};

HeliocentricPosition heliocentric(Planet planet, double jd);

// The Sun's geometric longitude (0..360) and latitude, in degrees, from the Earth's series.
double sun_geometric_longitude(double jd);
double sun_latitude(double jd);

} // namespace stellaro
