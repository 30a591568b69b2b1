#include "astro/moon.h"

#include "astro/angles.h"
#include "astro/earth_rotation.h"
#include "astro/julian_date.h"
#include "astro/moon_table.h"

#include <cmath>

namespace stellaro {

MoonArguments moon_arguments(double jd)
{
    const double t = julian_centuries(jd);
    const double t2 = t * t;
    const double t3 = t2 * t;
    const double t4 = t3 * t;
    MoonArguments a;
    a.mean_longitude = normalize_degrees(218.3164477 + 481267.88123421 * t - 0.0015786 * t2 + t3 / 538841.0 - t4 / 65194000.0);
    a.elongation = normalize_degrees(297.8501921 + 445267.1114034 * t - 0.0018819 * t2 + t3 / 545868.0 - t4 / 113065000.0);
    a.sun_anomaly = normalize_degrees(357.5291092 + 35999.0502909 * t - 0.0001536 * t2 + t3 / 24490000.0);
    a.anomaly = normalize_degrees(134.9633964 + 477198.8675055 * t + 0.0087414 * t2 + t3 / 69699.0 - t4 / 14712000.0);
    a.latitude_argument = normalize_degrees(93.2720950 + 483202.0175233 * t - 0.0036539 * t2 - t3 / 3526000.0 + t4 / 863310000.0);
    a.eccentricity = 1.0 - 0.002516 * t - 0.0000074 * t2;
    return a;
}

MoonPlace moon_place(double jd)
{
    const double t = julian_centuries(jd);
    const MoonArguments a = moon_arguments(jd);
    const double a1 = normalize_degrees(119.75 + 131.849 * t) * DEG_TO_RAD;
    const double a2 = normalize_degrees(53.09 + 479264.29 * t) * DEG_TO_RAD;
    const double a3 = normalize_degrees(313.45 + 481266.484 * t) * DEG_TO_RAD;
    const double l = a.mean_longitude * DEG_TO_RAD;
    const double d = a.elongation * DEG_TO_RAD;
    const double m = a.sun_anomaly * DEG_TO_RAD;
    const double m_prime = a.anomaly * DEG_TO_RAD;
    const double f = a.latitude_argument * DEG_TO_RAD;

    double sum_l = 0.0;
    double sum_r = 0.0;
    for (const MoonLongitudeDistanceTerm& term : MOON_LONGITUDE_DISTANCE_TERMS) {
        const double argument = term.d * d + term.m * m + term.m_prime * m_prime + term.f * f;
        // Terms with the Sun's anomaly shrink with the Earth's orbital eccentricity.
        const double factor = term.m != 0.0 ? a.eccentricity : 1.0;
        sum_l += term.longitude * factor * std::sin(argument);
        sum_r += term.distance * factor * std::cos(argument);
    }
    double sum_b = 0.0;
    for (const MoonLatitudeTerm& term : MOON_LATITUDE_TERMS) {
        const double argument = term.d * d + term.m * m + term.m_prime * m_prime + term.f * f;
        const double factor = term.m != 0.0 ? a.eccentricity : 1.0;
        sum_b += term.latitude * factor * std::sin(argument);
    }
    // The additive terms: Venus (A1), Jupiter (A2) and the flattening of the Earth.
    sum_l += 3958.0 * std::sin(a1) + 1962.0 * std::sin(l - f) + 318.0 * std::sin(a2);
    sum_b += -2235.0 * std::sin(l) + 382.0 * std::sin(a3) + 175.0 * std::sin(a1 - f) + 175.0 * std::sin(a1 + f) +
             127.0 * std::sin(l - m_prime) - 115.0 * std::sin(l + m_prime);

    MoonPlace place;
    place.longitude = normalize_degrees(a.mean_longitude + sum_l * 1e-6 + nutation_in_longitude(jd) / 3600.0);
    place.latitude = sum_b * 1e-6;
    place.distance = 385000.56 + sum_r * 0.001;
    return place;
}

double moon_longitude(double jd)
{
    return moon_place(jd).longitude;
}

double moon_latitude(double jd)
{
    return moon_place(jd).latitude;
}

double moon_distance(double jd)
{
    return moon_place(jd).distance;
}

} // namespace stellaro
