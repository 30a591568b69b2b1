#include "astro/rotation.h"

#include <cmath>

namespace stellaro {

Rotation Rotation::identity()
{
    Rotation r;
    r.m[0][0] = r.m[1][1] = r.m[2][2] = 1.0;
    return r;
}

Rotation Rotation::about_x(double angle)
{
    const double c = std::cos(angle), s = std::sin(angle);
    Rotation r;
    r.m = {{{1.0, 0.0, 0.0}, {0.0, c, s}, {0.0, -s, c}}};
    return r;
}

Rotation Rotation::about_z(double angle)
{
    const double c = std::cos(angle), s = std::sin(angle);
    Rotation r;
    r.m = {{{c, s, 0.0}, {-s, c, 0.0}, {0.0, 0.0, 1.0}}};
    return r;
}

EquatorialVector Rotation::apply(const EquatorialVector& v) const
{
    return {m[0][0] * v.x + m[0][1] * v.y + m[0][2] * v.z, m[1][0] * v.x + m[1][1] * v.y + m[1][2] * v.z,
            m[2][0] * v.x + m[2][1] * v.y + m[2][2] * v.z};
}

Rotation Rotation::transposed() const
{
    Rotation r;
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            r.m[static_cast<size_t>(i)][static_cast<size_t>(j)] = m[static_cast<size_t>(j)][static_cast<size_t>(i)];
    return r;
}

Rotation operator*(const Rotation& a, const Rotation& b)
{
    Rotation r;
    for (size_t i = 0; i < 3; ++i)
        for (size_t j = 0; j < 3; ++j)
            r.m[i][j] = a.m[i][0] * b.m[0][j] + a.m[i][1] * b.m[1][j] + a.m[i][2] * b.m[2][j];
    return r;
}

} // namespace stellaro
