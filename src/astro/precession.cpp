#include "astro/precession.h"

#include <array>
#include <cmath>

namespace stellaro {

namespace {

constexpr double ARCSEC_TO_RAD = 4.84813681109536e-6;
constexpr double TWO_PI = 6.283185307179586;
// The obliquity of J2000.0 of the model, arcseconds.
constexpr double J2000_OBLIQUITY_ARCSEC = 84381.406;

// One periodic term: period in Julian centuries, then cosine and sine coefficients in arcseconds
// for the two coordinates (first cos, second cos, first sin, second sin).
struct PeriodicTerm {
    double period;
    double cos_first;
    double cos_second;
    double sin_first;
    double sin_second;
};

// The ecliptic pole's P_A and Q_A (the model's Table 1 and its cubic).
constexpr std::array<PeriodicTerm, 8> ECLIPTIC_TERMS = {{
    {708.15, -5486.751211, -684.661560, 667.666730, -5523.863691},
    {2309.00, -17.127623, 2446.283880, -2354.886252, -549.747450},
    {1620.00, -617.517403, 399.671049, -428.152441, -310.998056},
    {492.20, 413.442940, -356.652376, 376.202861, 421.535876},
    {1183.00, 78.614193, -186.387003, 184.778874, -36.776172},
    {622.00, -180.732815, -316.800070, 335.321713, -145.278396},
    {882.00, -87.676083, 198.296701, -185.138669, -34.744450},
    {547.00, 46.140315, 101.135679, -120.972830, 22.885731},
}};
constexpr std::array<double, 4> P_POLYNOMIAL = {5851.607687, -0.1189000, -0.00028913, 0.000000101};
constexpr std::array<double, 4> Q_POLYNOMIAL = {-1600.886300, 1.1689818, -0.00000020, -0.000000437};

// The equator pole's X_A and Y_A (the model's Table 2 and its cubic).
constexpr std::array<PeriodicTerm, 14> EQUATOR_TERMS = {{
    {256.75, -819.940624, 75004.344875, 81491.287984, 1558.515853},
    {708.15, -8444.676815, 624.033993, 787.163481, 7774.939698},
    {274.20, 2600.009459, 1251.136893, 1251.296102, -2219.534038},
    {241.45, 2755.175630, -1102.212834, -1257.950837, -2523.969396},
    {2309.00, -167.659835, -2660.664980, -2966.799730, 247.850422},
    {492.20, 871.855056, 699.291817, 639.744522, -846.485643},
    {396.10, 44.769698, 153.167220, 131.600209, -1393.124055},
    {288.90, -512.313065, -950.865637, -445.040117, 368.526116},
    {231.10, -819.415595, 499.754645, 584.522874, 749.045012},
    {1610.00, -538.071099, -145.188210, -89.756563, 444.704518},
    {620.00, -189.793622, 558.116553, 524.429630, 235.934465},
    {157.87, -402.922932, -23.923029, -13.549067, 374.049623},
    {220.30, 179.516345, -165.405086, -210.157124, -171.330180},
    {1200.00, -9.814756, 9.344131, -44.919798, -22.899655},
}};
constexpr std::array<double, 4> X_POLYNOMIAL = {5453.282155, 0.4252841, -0.00037173, -0.000000152};
constexpr std::array<double, 4> Y_POLYNOMIAL = {-73750.930350, -0.7675452, -0.00018725, 0.000000231};

struct Pair {
    double first = 0.0;
    double second = 0.0;
};

// The two series at t Julian centuries from J2000.0, in radians.
template <size_t N>
Pair evaluate(const std::array<PeriodicTerm, N>& terms, const std::array<double, 4>& first, const std::array<double, 4>& second,
              double t)
{
    Pair sum;
    for (const PeriodicTerm& term : terms) {
        const double a = TWO_PI * t / term.period;
        const double c = std::cos(a), s = std::sin(a);
        sum.first += c * term.cos_first + s * term.sin_first;
        sum.second += c * term.cos_second + s * term.sin_second;
    }
    double power = 1.0;
    for (size_t i = 0; i < 4; ++i) {
        sum.first += first[i] * power;
        sum.second += second[i] * power;
        power *= t;
    }
    return {sum.first * ARCSEC_TO_RAD, sum.second * ARCSEC_TO_RAD};
}

// The model counts Julian centuries of TT from J2000.0.
double centuries(double jd_tt) { return (jd_tt - 2451545.0) / 36525.0; }

EquatorialVector cross(const EquatorialVector& a, const EquatorialVector& b)
{
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

EquatorialVector unit(const EquatorialVector& v)
{
    const double length = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
    return {v.x / length, v.y / length, v.z / length};
}

} // namespace

EquatorialVector ecliptic_pole(double jd_tt)
{
    const Pair pq = evaluate(ECLIPTIC_TERMS, P_POLYNOMIAL, Q_POLYNOMIAL, centuries(jd_tt));
    const double w = std::sqrt(std::fmax(0.0, 1.0 - pq.first * pq.first - pq.second * pq.second));
    const double e = J2000_OBLIQUITY_ARCSEC * ARCSEC_TO_RAD;
    return {pq.first, -pq.second * std::cos(e) - w * std::sin(e), -pq.second * std::sin(e) + w * std::cos(e)};
}

EquatorialVector equator_pole(double jd_tt)
{
    const Pair xy = evaluate(EQUATOR_TERMS, X_POLYNOMIAL, Y_POLYNOMIAL, centuries(jd_tt));
    return {xy.first, xy.second, std::sqrt(std::fmax(0.0, 1.0 - xy.first * xy.first - xy.second * xy.second))};
}

Rotation precession_matrix(double jd_tt)
{
    // The rows are the axes of date seen from J2000.0: the equinox where the equator of date
    // crosses the ecliptic of date, the pole of the equator, and the axis that completes them.
    const EquatorialVector pole = equator_pole(jd_tt);
    const EquatorialVector equinox = unit(cross(pole, ecliptic_pole(jd_tt)));
    const EquatorialVector across = cross(pole, equinox);
    Rotation r;
    r.m = {{{equinox.x, equinox.y, equinox.z}, {across.x, across.y, across.z}, {pole.x, pole.y, pole.z}}};
    return r;
}

} // namespace stellaro
