#include "astro/apparent_place.h"

#include "astro/angles.h"
#include "astro/earth_rotation.h"
#include "astro/precession.h"
#include "astro/solar_system.h"
#include "astro/vsop87.h"

#include <cmath>

namespace stellaro {

namespace {

// Half the interval over which the Earth's position is differenced, days: short enough that
// the orbit's curvature does not show, long enough for the series' rounding not to.
constexpr double VELOCITY_STEP_DAYS = 0.05;

EquatorialVector heliocentric_ecliptic(double jd_tt)
{
    const HeliocentricPosition p = heliocentric(Planet::Earth, jd_tt);
    const EquatorialVector direction = equatorial_vector(p.longitude * DEG_TO_RAD, p.latitude * DEG_TO_RAD);
    return {direction.x * p.radius, direction.y * p.radius, direction.z * p.radius};
}

} // namespace

Rotation frame_of_date(double jd_tt)
{
    const Nutation n = nutation(jd_tt);
    const double mean = mean_obliquity(jd_tt) * DEG_TO_RAD;
    const double true_ = mean + n.obliquity / 3600.0 * DEG_TO_RAD;
    const Rotation nutation_rotation =
        Rotation::about_x(-true_) * Rotation::about_z(-n.longitude / 3600.0 * DEG_TO_RAD) * Rotation::about_x(mean);
    return nutation_rotation * precession_matrix(jd_tt);
}

EquatorialVector earth_velocity_over_c(double jd_tt)
{
    // The series are referred to the ecliptic and equinox of date; the ecliptic's own slow turn
    // over the step is far below what aberration can show.
    const EquatorialVector before = heliocentric_ecliptic(jd_tt - VELOCITY_STEP_DAYS);
    const EquatorialVector after = heliocentric_ecliptic(jd_tt + VELOCITY_STEP_DAYS);
    const double scale = LIGHT_TIME_PER_AU / (2.0 * VELOCITY_STEP_DAYS);
    const EquatorialVector v{(after.x - before.x) * scale, (after.y - before.y) * scale, (after.z - before.z) * scale};
    const double e = true_obliquity(jd_tt) * DEG_TO_RAD;
    return {v.x, v.y * std::cos(e) - v.z * std::sin(e), v.y * std::sin(e) + v.z * std::cos(e)};
}

EquatorialVector aberrated(const EquatorialVector& p, const EquatorialVector& v)
{
    // First order in v/c (1e-4): the second-order terms stay below a milliarcsecond.
    const EquatorialVector moved{p.x + v.x, p.y + v.y, p.z + v.z};
    const double length = std::sqrt(moved.x * moved.x + moved.y * moved.y + moved.z * moved.z);
    return {moved.x / length, moved.y / length, moved.z / length};
}

EquatorialVector apparent_direction(const EquatorialVector& catalogue, double jd_tt)
{
    return aberrated(frame_of_date(jd_tt).apply(catalogue), earth_velocity_over_c(jd_tt));
}

EquatorialPosition apparent_place(double ra_hours, double dec_deg, double jd_tt)
{
    return equatorial_position(apparent_direction(equatorial_vector(ra_hours * HOURS_TO_RAD, dec_deg * DEG_TO_RAD), jd_tt));
}

EquatorialPosition equatorial_position(const EquatorialVector& d)
{
    double ra = std::atan2(d.y, d.x) * RAD_TO_HOURS;
    if (ra < 0.0)
        ra += 24.0;
    return {ra, std::atan2(d.z, std::hypot(d.x, d.y)) * RAD_TO_DEG};
}

} // namespace stellaro
