#include "astro/solar_system.h"

#include "astro/angles.h"
#include "astro/coordinates.h"
#include "astro/earth_rotation.h"
#include "astro/magnitude.h"
#include "astro/moon.h"
#include "astro/vsop87.h"

#include <algorithm>
#include <cmath>

namespace stellaro {

namespace {

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
    if (body != Body::sun)
        place.sun_distance = Vector{seen.x + earth_vector.x, seen.y + earth_vector.y, seen.z + earth_vector.z}.length();
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
    // Nutation is kept even when fast: it costs nothing more here, and the sky turns the stars
    // to the true equinox of date, among which the bodies must stand.
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
    if (body_index(body) >= BODY_COUNT) {
        position.direction = equatorial_vector(0.0, 0.0);
        return position;
    }
    const PlanetPlace sun = planet_place(jd, Body::sun, fast);
    PlanetPlace place;
    if (body == Body::moon) {
        const MoonPlace moon = moon_place(jd);
        // The Moon's longitude carries the nutation: its equator is the true one of date.
        const EquatorialPosition equatorial = ecliptic_to_equatorial(moon.longitude, moon.latitude, true_obliquity(jd));
        position.ra = equatorial.ra;
        position.dec = equatorial.dec;
        position.distance_au = moon.distance / KM_PER_AU;
        position.sun_distance_au = sun.distance;
        // The true elongation from the Sun; its side of the Sun tells waxing from waning.
        const double b = moon.latitude * DEG_TO_RAD;
        const double b0 = sun.latitude * DEG_TO_RAD;
        const double difference = normalize_degrees(moon.longitude - sun.longitude);
        const double elongation = std::acos(std::clamp(
            std::sin(b) * std::sin(b0) + std::cos(b) * std::cos(b0) * std::cos(difference * DEG_TO_RAD), -1.0, 1.0));
        const double sun_km = sun.distance * KM_PER_AU;
        const double i = std::atan2(sun_km * std::sin(elongation), moon.distance - sun_km * std::cos(elongation)) * RAD_TO_DEG;
        position.illumination_deg = i;
        position.phase_angle = difference > 180.0 ? 360.0 - i : i;
    } else {
        place = body == Body::sun ? sun : planet_place(jd, body, fast);
        position.ra = place.ra;
        position.dec = place.dec;
        position.distance_au = place.distance;
        position.sun_distance_au = place.sun_distance;
        if (body != Body::sun) {
            const double r = place.sun_distance, d = place.distance, earth = sun.distance;
            position.illumination_deg =
                std::acos(std::clamp((r * r + d * d - earth * earth) / (2.0 * r * d), -1.0, 1.0)) * RAD_TO_DEG;
        }
    }
    position.illuminated_fraction = illuminated_fraction(position.illumination_deg);
    const double ring_tilt = body == Body::saturn ? saturn_ring_tilt_deg(place.longitude, place.latitude, jd) : 0.0;
    position.magnitude =
        apparent_magnitude(body, position.sun_distance_au, position.distance_au, position.illumination_deg, ring_tilt);
    position.direction = equatorial_vector(position.ra * HOURS_TO_RAD, position.dec * DEG_TO_RAD);
    return position;
}

} // namespace stellaro
