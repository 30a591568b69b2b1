#include "astro/coordinates.h"

#include "astro/angles.h"
#include "astro/julian_date.h"
#include "astro/observer_time.h"
#include "astro/vsop87.h"

#include <cmath>

namespace stellaro {

namespace {

constexpr double ABERRATION_CONSTANT = 20.49552; // arcseconds

// The longitude of date referred back to the frame of the FK5 correction, in radians.
double fk5_reference_longitude(double longitude, double t)
{
    return (longitude - 1.397 * t - 0.00031 * t * t) * DEG_TO_RAD;
}

} // namespace

EquatorialPosition ecliptic_to_equatorial(double longitude, double latitude, double obliquity)
{
    const double l = longitude * DEG_TO_RAD;
    const double b = latitude * DEG_TO_RAD;
    const double e = obliquity * DEG_TO_RAD;
    EquatorialPosition result;
    result.ra = std::atan2(std::sin(l) * std::cos(e) - std::tan(b) * std::sin(e), std::cos(l)) * RAD_TO_HOURS;
    if (result.ra < 0.0)
        result.ra += 24.0;
    result.dec = std::asin(std::sin(b) * std::cos(e) + std::cos(b) * std::sin(e) * std::sin(l)) * RAD_TO_DEG;
    return result;
}

HorizontalPosition equatorial_to_horizontal_south(double hour_angle, double dec, double latitude)
{
    const double h = hour_angle * HOURS_TO_RAD;
    const double d = dec * DEG_TO_RAD;
    const double phi = latitude * DEG_TO_RAD;
    HorizontalPosition result;
    result.azimuth = std::atan2(std::sin(h), std::cos(h) * std::sin(phi) - std::tan(d) * std::cos(phi)) * RAD_TO_DEG;
    if (result.azimuth < 0.0)
        result.azimuth += 360.0;
    // Rounding can carry the sine a hair past 1 at the zenith.
    const double sine = std::sin(phi) * std::sin(d) + std::cos(phi) * std::cos(d) * std::cos(h);
    result.altitude = std::asin(std::fmax(-1.0, std::fmin(1.0, sine))) * RAD_TO_DEG;
    return result;
}

HorizontalPosition equatorial_to_horizontal(const ObserverTime& observer, double ra, double dec)
{
    const double hour_angle = observer.sidereal_time - observer.longitude_hours - ra;
    HorizontalPosition result = equatorial_to_horizontal_south(hour_angle, dec, observer.latitude);
    result.azimuth = normalize_degrees(result.azimuth + 180.0);
    return result;
}

EclipticOffset aberration(double longitude, double latitude, double jd)
{
    return aberration(longitude, latitude, jd, sun_geometric_longitude(jd));
}

EclipticOffset aberration(double longitude, double latitude, double jd, double sun_longitude)
{
    const double t = julian_centuries(jd);
    const double e = 0.016708634 - 0.000042037 * t - 0.0000001267 * t * t;
    const double perihelion = (102.93735 + 1.71946 * t + 0.00046 * t * t) * DEG_TO_RAD;
    const double l = longitude * DEG_TO_RAD;
    const double b = latitude * DEG_TO_RAD;
    const double sun = sun_longitude * DEG_TO_RAD;
    EclipticOffset result;
    result.longitude = (-std::cos(sun - l) + e * std::cos(perihelion - l)) * ABERRATION_CONSTANT / std::cos(b) / 3600.0;
    result.latitude = -(std::sin(sun - l) - e * std::sin(perihelion - l)) * std::sin(b) * (ABERRATION_CONSTANT / 3600.0);
    return result;
}

double fk5_longitude_correction(double longitude, double latitude, double jd)
{
    const double reference = fk5_reference_longitude(longitude, julian_centuries(jd));
    const double seconds = -0.09033 + 0.03916 * (std::cos(reference) + std::sin(reference)) * std::tan(latitude * DEG_TO_RAD);
    return degrees_from_dms(0.0, 0.0, std::fabs(seconds), seconds >= 0.0);
}

double fk5_latitude_correction(double longitude, double jd)
{
    const double reference = fk5_reference_longitude(longitude, julian_centuries(jd));
    const double seconds = 0.03916 * (std::cos(reference) - std::sin(reference));
    return degrees_from_dms(0.0, 0.0, std::fabs(seconds), seconds >= 0.0);
}

} // namespace stellaro
