#pragma once
#include "astro/coordinates.h"

namespace stellaro {

struct ObserverTime;

// The Earth's equatorial radius in km and the ellipsoid's flattening (IAU 1976, as used with the
// lunar and planetary theories of this program).
constexpr double EARTH_EQUATORIAL_RADIUS_KM = 6378.14;
constexpr double EARTH_FLATTENING = 1.0 / 298.257;

// Where a place on the ellipsoid lies from the Earth's centre, in equatorial radii: ρ sin φ′
// and ρ cos φ′ (φ′ the geocentric latitude).
struct GeocentricPlace {
    double rho_sin_latitude = 0.0;
    double rho_cos_latitude = 0.0;
};

// Geodetic latitude in degrees, height above the ellipsoid in metres.
GeocentricPlace geocentric_place(double latitude_deg, double height_m);

// A body seen from the observer instead of the Earth's centre: right ascension (hours) and
// declination (degrees) of date, and the distance in km.
struct TopocentricPlace {
    EquatorialPosition position;
    double distance_km = 0.0;
};

// The geocentric place of date of a body at distance_km from the Earth's centre, moved to the
// observer's place at the observer's moment (sidereal time of the observer's UT).
TopocentricPlace topocentric(const EquatorialPosition& geocentric, double distance_km, const ObserverTime& observer,
                             double height_m = 0.0);

} // namespace stellaro
