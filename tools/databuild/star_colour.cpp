#include "star_colour.h"

#include <algorithm>
#include <cmath>

namespace stellaro {

namespace {

// The Planckian locus in CIE 1931 xy (Kim et al. 2002 cubic fits, valid 1667 K..25000 K).
void planckian_xy(double kelvin, double& x, double& y)
{
    const double t = std::clamp(kelvin, 1667.0, 25000.0);
    const double t2 = t * t;
    const double t3 = t2 * t;
    if (t <= 4000.0)
        x = -0.2661239e9 / t3 - 0.2343589e6 / t2 + 0.8776956e3 / t + 0.179910;
    else
        x = -3.0258469e9 / t3 + 2.1070379e6 / t2 + 0.2226347e3 / t + 0.240390;
    const double x2 = x * x;
    const double x3 = x2 * x;
    if (t <= 2222.0)
        y = -1.1063814 * x3 - 1.34811020 * x2 + 2.18555832 * x - 0.20219683;
    else if (t <= 4000.0)
        y = -0.9549476 * x3 - 1.37418593 * x2 + 2.09137015 * x - 0.16748867;
    else
        y = 3.0817580 * x3 - 5.87338670 * x2 + 3.75112997 * x - 0.37001483;
}

double srgb_gamma(double linear)
{
    return linear <= 0.0031308 ? 12.92 * linear : 1.055 * std::pow(linear, 1.0 / 2.4) - 0.055;
}

} // namespace

double colour_temperature(double colour_index)
{
    const double bv = std::clamp(colour_index, -0.4, 2.0);
    return 4600.0 * (1.0 / (0.92 * bv + 1.7) + 1.0 / (0.92 * bv + 0.62));
}

std::array<uint8_t, 3> star_tint(double colour_index)
{
    double x = 0.0;
    double y = 0.0;
    planckian_xy(colour_temperature(colour_index), x, y);
    const double big_x = x / y;
    const double big_z = (1.0 - x - y) / y;
    double rgb[3] = {
        3.2406 * big_x - 1.5372 - 0.4986 * big_z,
        -0.9689 * big_x + 1.8758 + 0.0415 * big_z,
        0.0557 * big_x - 0.2040 + 1.0570 * big_z,
    };
    for (double& channel : rgb)
        channel = std::max(channel, 0.0);
    const double strongest = std::max({rgb[0], rgb[1], rgb[2]});
    std::array<uint8_t, 3> tint{};
    for (int i = 0; i < 3; ++i)
        tint[i] = static_cast<uint8_t>(std::lround(255.0 * srgb_gamma(rgb[i] / strongest)));
    return tint;
}

} // namespace stellaro
