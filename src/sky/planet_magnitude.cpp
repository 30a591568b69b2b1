#include "sky/planet_magnitude.h"

#include "astro/vsop87.h"

#include <cmath>

namespace stellaro {

namespace {

constexpr double DEG = 0.017453292519943295;

struct Cartesian {
    double x, y, z;
};

Cartesian cartesian(const HeliocentricPosition& p)
{
    const double l = p.longitude * DEG, b = p.latitude * DEG;
    return {p.radius * std::cos(b) * std::cos(l), p.radius * std::cos(b) * std::sin(l), p.radius * std::sin(b)};
}

double length(const Cartesian& v) { return std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z); }

Planet planet_of(Body body)
{
    switch (body) {
    case Body::mercury: return Planet::Mercury;
    case Body::venus: return Planet::Venus;
    case Body::mars: return Planet::Mars;
    case Body::jupiter: return Planet::Jupiter;
    case Body::saturn: return Planet::Saturn;
    case Body::uranus: return Planet::Uranus;
    default: return Planet::Neptune;
    }
}

// The tilt of Saturn's rings toward the Earth from its geocentric ecliptic place (Meeus ch. 45).
double saturn_ring_tilt_deg(double jd, double longitude_deg, double latitude_deg)
{
    const double t = (jd - 2451545.0) / 36525.0;
    const double inclination = (28.075216 - 0.012998 * t + 0.000004 * t * t) * DEG;
    const double node = (169.508470 + 1.394681 * t + 0.000412 * t * t) * DEG;
    const double l = longitude_deg * DEG, b = latitude_deg * DEG;
    return std::asin(std::sin(inclination) * std::cos(b) * std::sin(l - node) - std::cos(inclination) * std::sin(b)) / DEG;
}

} // namespace

double apparent_magnitude_of(Body body, double r, double delta, double i, double ring_tilt_deg)
{
    if (!(r > 0.0) || !(delta > 0.0))
        return 0.0;
    const double distance = 5.0 * std::log10(r * delta);
    switch (body) {
    case Body::sun:
        return -26.74 + 5.0 * std::log10(delta);
    case Body::moon:
        // delta in AU as for the planets; the mean law is for the mean distance of 0.00257 AU.
        return -12.73 + 0.026 * i + 4.0e-9 * std::pow(i, 4) + 5.0 * std::log10(delta / 0.00257);
    case Body::mercury:
        return -0.613 + distance + 6.3280e-2 * i - 1.6336e-3 * i * i + 3.3644e-5 * std::pow(i, 3) - 3.4265e-7 * std::pow(i, 4) +
               1.6893e-9 * std::pow(i, 5) - 3.0334e-12 * std::pow(i, 6);
    case Body::venus:
        if (i < 163.7)
            return -4.384 + distance - 1.044e-3 * i + 3.687e-4 * i * i - 2.814e-6 * std::pow(i, 3) + 8.938e-9 * std::pow(i, 4);
        return 236.05828 + distance - 2.81914 * i + 8.39034e-3 * i * i;
    case Body::mars:
        if (i <= 50.0)
            return -1.601 + distance + 2.267e-2 * i - 1.302e-4 * i * i;
        return -0.367 + distance - 0.02573 * i + 3.445e-4 * i * i;
    case Body::jupiter:
        return -9.395 + distance - 3.7e-4 * i + 6.16e-4 * i * i;
    case Body::saturn: {
        const double tilt = std::sin(std::fabs(ring_tilt_deg) * DEG);
        return -8.88 + distance + 0.044 * i - 2.60 * tilt + 1.25 * tilt * tilt;
    }
    case Body::uranus:
        return -7.110 + distance + 6.587e-3 * i + 1.045e-4 * i * i;
    case Body::neptune:
        return -7.00 + distance + 7.944e-3 * i + 9.617e-5 * i * i;
    }
    return 0.0;
}

double sky_magnitude(Body body, double jd)
{
    const Cartesian earth = cartesian(heliocentric(Planet::Earth, jd));
    if (body == Body::sun)
        return apparent_magnitude_of(body, 1.0, length(earth), 0.0);
    if (body == Body::moon)
        return apparent_magnitude_of(body, length(earth), 0.00257, 0.0);
    const Cartesian planet = cartesian(heliocentric(planet_of(body), jd));
    const Cartesian seen{planet.x - earth.x, planet.y - earth.y, planet.z - earth.z};
    const double r = length(planet), delta = length(seen), big_r = length(earth);
    const double cos_i = (r * r + delta * delta - big_r * big_r) / (2.0 * r * delta);
    const double i = std::acos(std::fmax(-1.0, std::fmin(1.0, cos_i))) / DEG;
    double tilt = 0.0;
    if (body == Body::saturn) {
        const double longitude = std::atan2(seen.y, seen.x) / DEG;
        const double latitude = std::atan2(seen.z, std::hypot(seen.x, seen.y)) / DEG;
        tilt = saturn_ring_tilt_deg(jd, longitude, latitude);
    }
    return apparent_magnitude_of(body, r, delta, i, tilt);
}

} // namespace stellaro
