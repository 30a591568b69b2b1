#include "astro/earth_rotation.h"

#include "astro/angles.h"
#include "astro/julian_date.h"
#include "astro/nutation_table.h"

#include <cmath>

namespace stellaro {

Nutation nutation(double jd)
{
    const double t = julian_centuries(jd);
    const double t2 = t * t;
    const double t3 = t2 * t;
    const double d = normalize_degrees(297.85036 + 445267.11148 * t - 0.0019142 * t2 + t3 / 189474.0);
    const double m = normalize_degrees(357.52772 + 35999.05034 * t - 0.0001603 * t2 - t3 / 300000.0);
    const double m_prime = normalize_degrees(134.96298 + 477198.867398 * t + 0.0086972 * t2 + t3 / 56250.0);
    const double f = normalize_degrees(93.27191 + 483202.017538 * t - 0.0036825 * t2 + t3 / 327270.0);
    const double omega = normalize_degrees(125.04452 - 1934.136261 * t + 0.0020708 * t2 + t3 / 450000.0);

    Nutation result;
    for (const NutationTerm& term : NUTATION_TERMS) {
        const double argument = (term.d * d + term.m * m + term.m_prime * m_prime + term.f * f + term.omega * omega) * DEG_TO_RAD;
        result.longitude += (term.psi0 + term.psi1 * t) * std::sin(argument);
        result.obliquity += (term.eps0 + term.eps1 * t) * std::cos(argument);
    }
    result.longitude *= 0.0001;
    result.obliquity *= 0.0001;
    return result;
}

double nutation_in_longitude(double jd)
{
    return nutation(jd).longitude;
}

double nutation_in_obliquity(double jd)
{
    return nutation(jd).obliquity;
}

double mean_obliquity(double jd)
{
    const double u = julian_centuries(jd) / 100.0;
    static constexpr double SECONDS[] = {-4680.93, -1.55, 1999.25, -51.38, -249.67, -39.05, 7.12, 27.87, 5.79, 2.45};
    double result = degrees_from_dms(23, 26, 21.448, true);
    double power = u;
    for (const double coefficient : SECONDS) {
        result += degrees_from_dms(0, 0, std::fabs(coefficient), coefficient >= 0) * power;
        power *= u;
    }
    return result;
}

double true_obliquity(double jd)
{
    return mean_obliquity(jd) + nutation_in_obliquity(jd) / 3600.0;
}

double greenwich_mean_sidereal_time(double jd)
{
    const JulianDate date(jd, is_gregorian_day(jd));
    const CalendarMoment moment = calendar_from_julian_date(date);
    const double jd0 = julian_day_from_calendar(moment.year, moment.month, moment.day, date.gregorian);
    const double t0 = julian_centuries(jd0);
    const double theta0 = 100.46061837 + 36000.770053608 * t0 + 0.000387933 * t0 * t0 - t0 * t0 * t0 * 2.5833118057349522e-8;
    const double theta = theta0 + 1.00273790935 * (15.0 * moment.hour + 0.25 * moment.minute + moment.second / 240.0);
    return normalize_hours(theta * 0.06666666666666667);
}

double greenwich_apparent_sidereal_time(double jd)
{
    const Nutation n = nutation(jd);
    const double epsilon = (mean_obliquity(jd) + n.obliquity / 3600.0) * DEG_TO_RAD;
    return normalize_hours(greenwich_mean_sidereal_time(jd) + n.longitude * std::cos(epsilon) * 1.8518518518518518e-5);
}

} // namespace stellaro
