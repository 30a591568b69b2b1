#include "astro/solar_system.h"

#include "astro/angles.h"
#include "astro/coordinates.h"
#include "astro/earth_rotation.h"
#include "astro/moon.h"
#include "astro/vsop87.h"

#include <cmath>

namespace stellaro {

namespace {

constexpr double KM_PER_AU = 149597870.691;
// Enough for any planet: each pass shrinks the error by the planet's speed over the speed of light.
constexpr int MAX_LIGHT_TIME_PASSES = 10;

struct Vector {
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;

    double length() const { return std::sqrt(x * x + y * y + z * z); }
};

Vector rectangular(const HeliocentricPosition& p)
{
    const double l = p.longitude * DEG_TO_RAD;
    const double b = p.latitude * DEG_TO_RAD;
    return {p.radius * std::cos(b) * std::cos(l), p.radius * std::cos(b) * std::sin(l), p.radius * std::sin(b)};
}

Vector difference(const Vector& a, const Vector& b)
{
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}

bool settled(const HeliocentricPosition& a, const HeliocentricPosition& b)
{
    return std::fabs(a.longitude - b.longitude) <= 1e-5 && std::fabs(a.latitude - b.latitude) <= 1e-5 &&
           std::fabs(a.radius - b.radius) <= 1e-6;
}

// The planet seen from the Earth's centre, where the light arriving at jd left it.
Vector geocentric_planet(Planet planet, double jd, const Vector& earth, bool fast)
{
    HeliocentricPosition position = heliocentric(planet, jd);
    Vector seen = difference(rectangular(position), earth);
    if (fast)
        return seen;
    for (int pass = 1; pass < MAX_LIGHT_TIME_PASSES; ++pass) {
        const HeliocentricPosition earlier = heliocentric(planet, jd - LIGHT_TIME_PER_AU * seen.length());
        seen = difference(rectangular(earlier), earth);
        if (settled(earlier, position))
            break;
        position = earlier;
    }
    return seen;
}

// The series of a planet; the Sun's place is the Earth's seen the other way round.
Planet series_of(Body body)
{
    switch (body) {
    case Body::mercury: return Planet::Mercury;
    case Body::venus: return Planet::Venus;
    case Body::mars: return Planet::Mars;
    case Body::jupiter: return Planet::Jupiter;
    case Body::saturn: return Planet::Saturn;
    case Body::uranus: return Planet::Uranus;
    case Body::neptune: return Planet::Neptune;
    case Body::sun:
    case Body::moon: break;
    }
    return Planet::Earth;
}

} // namespace

PlanetPlace planet_place(double jd, Body body, bool fast)
{
    if (body == Body::moon || body_index(body) >= BODY_COUNT)
        return {};
    const HeliocentricPosition earth = heliocentric(Planet::Earth, jd);
    const double sun_longitude = normalize_degrees(earth.longitude + 180.0);
    const Vector earth_vector = rectangular(earth);

    // The Sun stays where it is while its light travels: its annual aberration is the whole
    // correction, and moving the Earth back along its orbit would count it twice.
    const Vector seen = body == Body::sun ? Vector{-earth_vector.x, -earth_vector.y, -earth_vector.z}
                                          : geocentric_planet(series_of(body), jd, earth_vector, fast);

    PlanetPlace place;
    place.distance = seen.length();
    place.light_time = LIGHT_TIME_PER_AU * place.distance;
    double longitude = normalize_degrees(std::atan2(seen.y, seen.x) * RAD_TO_DEG);
    double latitude = std::atan2(seen.z, std::hypot(seen.x, seen.y)) * RAD_TO_DEG;
    if (!fast) {
        const EclipticOffset offset = aberration(longitude, latitude, jd, sun_longitude);
        longitude += offset.longitude;
        latitude += offset.latitude;
    }
    const double fk5_longitude = fk5_longitude_correction(longitude, latitude, jd);
    latitude += fk5_latitude_correction(longitude, jd);
    longitude += fk5_longitude;

    const Nutation n = nutation(jd);
    const double obliquity = mean_obliquity(jd) + n.obliquity / 3600.0;
    if (!fast)
        longitude += n.longitude / 3600.0;
    place.longitude = normalize_degrees(longitude);
    place.latitude = latitude;
    const EquatorialPosition equatorial = ecliptic_to_equatorial(place.longitude, place.latitude, obliquity);
    place.ra = equatorial.ra;
    place.dec = equatorial.dec;
    return place;
}

BodyPosition body_position(double jd, Body body, bool fast)
{
    BodyPosition position;
    if (body == Body::moon) {
        const MoonPlace moon = moon_place(jd);
        const EquatorialPosition equatorial = ecliptic_to_equatorial(moon.longitude, moon.latitude, J2000_OBLIQUITY_DEG);
        position.ra = equatorial.ra;
        position.dec = equatorial.dec;
        // The Sun's distance is the Earth's radius vector, light time and aberration aside.
        const double sun_distance = heliocentric(Planet::Earth, jd).radius * KM_PER_AU;
        const double elongation = moon_arguments(jd).elongation * DEG_TO_RAD;
        position.phase_angle = normalize_degrees(
            std::atan2(sun_distance * std::sin(elongation), moon.distance - sun_distance * std::cos(elongation)) * RAD_TO_DEG);
    } else {
        const PlanetPlace place = planet_place(jd, body, fast);
        position.ra = place.ra;
        position.dec = place.dec;
    }
    position.direction = equatorial_vector(position.ra * HOURS_TO_RAD, position.dec * DEG_TO_RAD);
    return position;
}

} // namespace stellaro
