#pragma once
#include "astro/equatorial_vector.h"

#include <cstdint>

namespace stellaro {

// A sky direction in integers: the unit vector times 1024, truncated toward zero, with w = 1024.
// The sky view projects these without floating point.
struct FixedVector {
    int64_t x = 0;
    int64_t y = 0;
    int64_t z = 0;
    int64_t w = 0;
};

constexpr int64_t FIXED_ONE = 1024;

inline FixedVector fixed_vector(const EquatorialVector& v)
{
    return {static_cast<int64_t>(v.x * FIXED_ONE), static_cast<int64_t>(v.y * FIXED_ONE),
            static_cast<int64_t>(v.z * FIXED_ONE), FIXED_ONE};
}

} // namespace stellaro
