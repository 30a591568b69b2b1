#pragma once
#include <array>

namespace stellaro {

// One term of the Moon's longitude and distance: the multipliers of D, M, M' and F, the sine
// amplitude of the longitude in 1e-6 degrees and the cosine amplitude of the distance in metres.
struct MoonLongitudeDistanceTerm {
    double d, m, m_prime, f;
    double longitude;
    double distance;
};

// One term of the Moon's latitude: the multipliers of D, M, M' and F and the sine amplitude in
// 1e-6 degrees.
struct MoonLatitudeTerm {
    double d, m, m_prime, f;
    double latitude;
};

extern const std::array<MoonLongitudeDistanceTerm, 60> MOON_LONGITUDE_DISTANCE_TERMS;
extern const std::array<MoonLatitudeTerm, 60> MOON_LATITUDE_TERMS;

} // namespace stellaro
