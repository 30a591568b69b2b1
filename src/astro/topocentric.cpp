#include "astro/topocentric.h"

#include "astro/angles.h"
#include "astro/apparent_place.h"
#include "astro/observer_time.h"

#include <cmath>

namespace stellaro {

GeocentricPlace geocentric_place(double latitude_deg, double height_m)
{
    const double phi = latitude_deg * DEG_TO_RAD;
    const double axis_ratio = 1.0 - EARTH_FLATTENING;
    const double u = std::atan(axis_ratio * std::tan(phi));
    const double height = height_m / (EARTH_EQUATORIAL_RADIUS_KM * 1000.0);
    return {axis_ratio * std::sin(u) + height * std::sin(phi), std::cos(u) + height * std::cos(phi)};
}

TopocentricPlace topocentric(const EquatorialPosition& geocentric, double distance_km, const ObserverTime& observer,
                             double height_m)
{
    const EquatorialVector u = equatorial_vector(geocentric.ra * HOURS_TO_RAD, geocentric.dec * DEG_TO_RAD);
    const GeocentricPlace place = geocentric_place(observer.latitude, height_m);
    // The local sidereal time is the right ascension of the observer's meridian.
    const double theta = (observer.sidereal_time - observer.longitude_hours) * HOURS_TO_RAD;
    const double r = EARTH_EQUATORIAL_RADIUS_KM;
    const EquatorialVector seen{distance_km * u.x - r * place.rho_cos_latitude * std::cos(theta),
                                distance_km * u.y - r * place.rho_cos_latitude * std::sin(theta),
                                distance_km * u.z - r * place.rho_sin_latitude};
    return {equatorial_position(seen), std::sqrt(seen.x * seen.x + seen.y * seen.y + seen.z * seen.z)};
}

} // namespace stellaro
