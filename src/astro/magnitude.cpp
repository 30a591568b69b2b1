#include "astro/magnitude.h"

#include "astro/angles.h"
#include "astro/julian_date.h"
#include "astro/solar_system.h"

#include <cmath>

namespace stellaro {

namespace {

constexpr double MOON_MEAN_DISTANCE_AU = 384400.0 / KM_PER_AU;

double mercury(double a)
{
    return -0.613 + a * (6.3280e-2 + a * (-1.6336e-3 + a * (3.3644e-5 + a * (-3.4265e-7 + a * (1.6893e-9 + a * -3.0334e-12)))));
}

double venus(double a)
{
    if (a < 163.7)
        return -4.384 + a * (-1.044e-3 + a * (3.687e-4 + a * (-2.814e-6 + a * 8.938e-9)));
    return 236.05828 + a * (-2.81914 + a * 8.39034e-3);
}

double mars(double a)
{
    if (a <= 50.0)
        return -1.601 + a * (2.267e-2 + a * -1.302e-4);
    return -0.367 + a * (-0.02573 + a * 3.445e-4);
}

double jupiter(double a)
{
    if (a <= 12.0)
        return -9.395 + a * (-3.7e-4 + a * 6.16e-4);
    const double x = a / 180.0;
    return -9.428 - 2.5 * std::log10(1.0 + x * (-1.507 + x * (-0.363 + x * (-0.062 + x * (2.809 + x * -1.876)))));
}

double saturn(double a, double ring_tilt_deg)
{
    // Globe and rings together while the rings are seen; the globe alone beyond 6.5°.
    const double s = std::sin(std::fabs(ring_tilt_deg) * DEG_TO_RAD);
    if (a <= 6.5)
        return -8.914 - 1.825 * s + 0.026 * a - 0.378 * s * std::exp(-2.25 * a);
    return -8.94 + a * (2.446e-4 + a * (2.672e-4 + a * (-1.505e-6 + a * 4.767e-9)));
}

double uranus(double a) { return -7.110 + a * (6.587e-3 + a * 1.045e-4); }

double neptune(double a) { return -7.00 + a * (7.944e-3 + a * 9.617e-5); }

} // namespace

double apparent_magnitude(Body body, double r, double delta, double a, double ring_tilt_deg)
{
    // Distances that no body has give a plain value rather than an infinity that would spread.
    if (!(delta > 0.0) || (body != Body::sun && body != Body::moon && !(r > 0.0)))
        return 0.0;
    if (body == Body::sun)
        return -26.74 + 5.0 * std::log10(delta);
    if (body == Body::moon)
        return -12.73 + 0.026 * std::fabs(a) + 4e-9 * std::pow(a, 4.0) + 5.0 * std::log10(delta / MOON_MEAN_DISTANCE_AU);
    const double distances = 5.0 * std::log10(r * delta);
    switch (body) {
    case Body::mercury: return distances + mercury(a);
    case Body::venus: return distances + venus(a);
    case Body::mars: return distances + mars(a);
    case Body::jupiter: return distances + jupiter(a);
    case Body::saturn: return distances + saturn(a, ring_tilt_deg);
    case Body::uranus: return distances + uranus(a);
    case Body::neptune: return distances + neptune(a);
    case Body::sun:
    case Body::moon: break;
    }
    return 0.0;
}

double saturn_ring_tilt_deg(double longitude_deg, double latitude_deg, double jd_tt)
{
    const double t = julian_centuries(jd_tt);
    const double i = (28.075216 - 0.012998 * t + 0.000004 * t * t) * DEG_TO_RAD;
    const double node = (169.508470 + 1.394681 * t + 0.000412 * t * t) * DEG_TO_RAD;
    const double l = longitude_deg * DEG_TO_RAD;
    const double b = latitude_deg * DEG_TO_RAD;
    return std::asin(std::sin(i) * std::cos(b) * std::sin(l - node) - std::cos(i) * std::sin(b)) * RAD_TO_DEG;
}

double illuminated_fraction(double phase_angle_deg)
{
    return (1.0 + std::cos(phase_angle_deg * DEG_TO_RAD)) * 0.5;
}

} // namespace stellaro
