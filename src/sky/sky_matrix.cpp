#include "sky/sky_matrix.h"

#include <cmath>

namespace stellaro {

Matrix4 Matrix4::identity()
{
    Matrix4 r;
    for (int i = 0; i < 4; ++i)
        r.m[i][i] = 1.0;
    return r;
}

Matrix4 Matrix4::rotate_x(double angle)
{
    Matrix4 r = identity();
    const double c = std::cos(angle), s = std::sin(angle);
    r.m[1][1] = c;
    r.m[1][2] = s;
    r.m[2][1] = -s;
    r.m[2][2] = c;
    return r;
}

Matrix4 Matrix4::rotate_y(double angle)
{
    Matrix4 r = identity();
    const double c = std::cos(angle), s = std::sin(angle);
    r.m[0][0] = c;
    r.m[0][2] = s;
    r.m[2][0] = -s;
    r.m[2][2] = c;
    return r;
}

Matrix4 Matrix4::rotate_z(double angle)
{
    Matrix4 r = identity();
    const double c = std::cos(angle), s = std::sin(angle);
    r.m[0][0] = c;
    r.m[0][1] = s;
    r.m[1][0] = -s;
    r.m[1][1] = c;
    return r;
}

Matrix4 Matrix4::scale(double x, double y, double z)
{
    Matrix4 r = identity();
    r.m[0][0] = x;
    r.m[1][1] = y;
    r.m[2][2] = z;
    return r;
}

Matrix4 Matrix4::translate(double x, double y, double z)
{
    Matrix4 r = identity();
    r.m[3][0] = x;
    r.m[3][1] = y;
    r.m[3][2] = z;
    return r;
}

Matrix4 Matrix4::camera_axes()
{
    Matrix4 r;
    r.m[1][0] = 1.0;
    r.m[2][1] = 1.0;
    r.m[0][2] = -1.0;
    r.m[3][3] = 1.0;
    return r;
}

Matrix4 operator*(const Matrix4& a, const Matrix4& b)
{
    Matrix4 r;
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) {
            double sum = 0.0;
            for (int k = 0; k < 4; ++k)
                sum += a.m[i][k] * b.m[k][j];
            r.m[i][j] = sum;
        }
    return r;
}

} // namespace stellaro
