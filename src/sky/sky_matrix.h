#pragma once
#include "astro/equatorial_vector.h"

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

// Where a direction lands on the view: x and y in pixels from the element's top-left corner,
// depth −10 cos of the angle from the view centre (at or below zero: in front).
struct ScreenPoint {
    double x = 0.0;
    double y = 0.0;
    double depth = 0.0;

    bool in_front() const { return depth <= 0.0; }
};

// The unit vector through the matrix (w = 1). Double precision keeps every drawn position well
// within a pixel of the computed one at the deepest zoom.
inline ScreenPoint project(const EquatorialVector& p, const Matrix4& t)
{
    const auto& m = t.m;
    return {p.x * m[0][0] + p.y * m[1][0] + p.z * m[2][0] + m[3][0], p.x * m[0][1] + p.y * m[1][1] + p.z * m[2][1] + m[3][1],
            p.x * m[0][2] + p.y * m[1][2] + p.z * m[2][2] + m[3][2]};
}

// The nearest whole pixel, without a library call; coordinates far off the screen are held at a
// million pixels, where they still clip the same way.
inline int32_t round_px(double v)
{
    constexpr double FAR = 1048576.0;
    const double held = v < -FAR ? -FAR : v > FAR ? FAR : v;
    return static_cast<int32_t>(static_cast<int64_t>(held + FAR + 0.5) - static_cast<int64_t>(FAR));
}

} // namespace stellaro
