#pragma once

namespace stellaro {

// A direction in the equatorial frame as a unit vector: x = cos a cos d, y = sin a cos d, z = sin d.
struct EquatorialVector {
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
};

// Right ascension and declination in radians.
EquatorialVector equatorial_vector(double ra_radians, double dec_radians);

} // namespace stellaro
