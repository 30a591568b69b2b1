#pragma once
#include "astro/equatorial_vector.h"

#include <array>

namespace stellaro {

// A rotation of the celestial frame as a 3 x 3 matrix for column vectors: v' = M v.
struct Rotation {
    std::array<std::array<double, 3>, 3> m{};

    static Rotation identity();
    // The frame turned by an angle in radians about its x or z axis (a positive angle turns the
    // axes anticlockwise seen from the axis' tip, so directions appear to turn the other way).
    static Rotation about_x(double angle);
    static Rotation about_z(double angle);

    EquatorialVector apply(const EquatorialVector& v) const;
    Rotation transposed() const;
    // this after first: (a * b) v = a (b v).
    friend Rotation operator*(const Rotation& a, const Rotation& b);
};

} // namespace stellaro
