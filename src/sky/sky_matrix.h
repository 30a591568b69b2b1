#pragma once
#include "astro/fixed_vector.h"

#include <array>
#include <cstdint>

namespace stellaro {

// 4 x 4 transforms for row vectors: a point p becomes p . M, and a . b applies a first.
struct Matrix4 {
    std::array<std::array<double, 4>, 4> m{};

    static Matrix4 identity();
    // Rotations by an angle in radians about one axis, as the sky's frames turn.
    static Matrix4 rotate_x(double angle);
    static Matrix4 rotate_y(double angle);
    static Matrix4 rotate_z(double angle);
    static Matrix4 scale(double x, double y, double z);
    static Matrix4 translate(double x, double y, double z);
    // Takes (x, y, z) to (y, z, -x): the view axis becomes the depth axis.
    static Matrix4 camera_axes();

    friend Matrix4 operator*(const Matrix4& a, const Matrix4& b);
};

// A Matrix4 in integers (each element times 1024, truncated), applied to FixedVectors.
struct FixedMatrix {
    std::array<std::array<int64_t, 4>, 4> m{};
};

FixedMatrix to_fixed(const Matrix4& matrix);

// The vector through the matrix, shifted right by 20 bits (the 1024 of the vector times the
// 1024 of the matrix): screen x, screen y, depth; w is kept at 1024.
inline FixedVector project(const FixedVector& p, const FixedMatrix& t)
{
    const auto& m = t.m;
    return {(p.x * m[0][0] + p.y * m[1][0] + p.z * m[2][0] + p.w * m[3][0]) >> 20,
            (p.x * m[0][1] + p.y * m[1][1] + p.z * m[2][1] + p.w * m[3][1]) >> 20,
            (p.x * m[0][2] + p.y * m[1][2] + p.z * m[2][2] + p.w * m[3][2]) >> 20, FIXED_ONE};
}

} // namespace stellaro
