#include "sky/sky_view.h"

#include "astro/angles.h"
#include "astro/apparent_place.h"
#include "astro/delta_t.h"
#include "astro/observer_time.h"

#include <algorithm>
#include <cmath>

namespace stellaro {

namespace {

constexpr double TWO_PI = 6.283185307179586;
constexpr double HALF_PI = 1.5707963267948966;
constexpr double PI = 3.141592653589793;
// Once arrived, a step this long always reaches the target: the view is locked on.
constexpr double LOCKED_STEP = 12.566370614359172;
constexpr double ZOOM_PER_PIXEL = 0.02;
constexpr double INERTIA_DECAY = 3.0;

// Moves value toward target by at most step; true when it ends on the target.
bool approach(double& value, double target, double step)
{
    if (std::fabs(target - value) <= step) {
        value = target;
        return true;
    }
    value += target > value ? step : -step;
    return false;
}

// A row-vector matrix from a rotation of column vectors: the same turn, transposed.
Matrix4 row_matrix(const Rotation& rotation)
{
    Matrix4 r = Matrix4::identity();
    for (size_t i = 0; i < 3; ++i)
        for (size_t j = 0; j < 3; ++j)
            r.m[i][j] = rotation.m[j][i];
    return r;
}

// v . M for the rotation part of M.
EquatorialVector through(const EquatorialVector& v, const Matrix4& m)
{
    return {v.x * m.m[0][0] + v.y * m.m[1][0] + v.z * m.m[2][0], v.x * m.m[0][1] + v.y * m.m[1][1] + v.z * m.m[2][1],
            v.x * m.m[0][2] + v.y * m.m[1][2] + v.z * m.m[2][2]};
}

// v . transpose(M): the inverse turn of a rotation.
EquatorialVector back_through(const EquatorialVector& v, const Matrix4& m)
{
    return {v.x * m.m[0][0] + v.y * m.m[0][1] + v.z * m.m[0][2], v.x * m.m[1][0] + v.y * m.m[1][1] + v.z * m.m[1][2],
            v.x * m.m[2][0] + v.y * m.m[2][1] + v.z * m.m[2][2]};
}

double decay(double v, double dt)
{
    if (v > 0.0)
        v = std::max(0.0, v - INERTIA_DECAY * v * dt);
    else if (v < 0.0)
        v = std::min(0.0, v - INERTIA_DECAY * v * dt);
    return std::fabs(v) < SkyView::MIN_SPEED ? 0.0 : v;
}

} // namespace

void SkyView::zoom_by(double pixels)
{
    zoom = std::clamp(zoom - pixels * ZOOM_PER_PIXEL, 0.0, MAX_ZOOM);
}

double SkyView::radius() const { return h * std::exp2(zoom); }

void SkyView::drag(int32_t dx, int32_t dy)
{
    if (h <= 0)
        return;
    const double k = std::exp2(-zoom);
    const double turn = dx * k / h;
    view_azimuth -= turn;
    azimuth_travel -= turn;
    view_altitude = std::clamp(view_altitude + dy * k / h, -MAX_ALTITUDE, MAX_ALTITUDE);
}

void SkyView::step(double dt, const std::optional<SkyTarget>& target)
{
    if (target)
        step_toward(dt, *target);
    else
        step_inertia(dt);
}

void SkyView::step_toward(double dt, const SkyTarget& target)
{
    view_azimuth = std::fmod(view_azimuth, TWO_PI);
    if (view_azimuth < 0.0)
        view_azimuth += TWO_PI;
    double goal = std::fmod(target.azimuth, TWO_PI);
    if (goal < 0.0)
        goal += TWO_PI;
    const double d = goal - view_azimuth;
    if (TWO_PI - std::fabs(d) < std::fabs(d))
        goal += d > 0.0 ? -TWO_PI : TWO_PI;
    const double step_size = arrived ? LOCKED_STEP : dt;
    const double before = view_azimuth;
    const bool azimuth_done = approach(view_azimuth, goal, step_size);
    const bool altitude_done = approach(view_altitude, std::clamp(target.altitude, -MAX_ALTITUDE, MAX_ALTITUDE), step_size);
    azimuth_travel += view_azimuth - before;
    arrived = azimuth_done && altitude_done;
    pan_velocity_x = 0.0;
    pan_velocity_y = 0.0;
}

void SkyView::step_inertia(double dt)
{
    pan_velocity_x = decay(pan_velocity_x, dt);
    pan_velocity_y = decay(pan_velocity_y, dt);
    if (h <= 0)
        return;
    const double k = std::exp2(-zoom);
    const double turn = pan_velocity_x * k * dt / h;
    view_azimuth += turn;
    azimuth_travel += turn;
    view_altitude = std::clamp(view_altitude - pan_velocity_y * k * dt / h, -MAX_ALTITUDE, MAX_ALTITUDE);
}

void SkyView::rebuild(const ObserverTime& observer)
{
    if (observer.jd != frame_jd_ut) {
        frame_jd_ut = observer.jd;
        catalog_to_date = row_matrix(frame_of_date(terrestrial_time(observer.jd)));
    }
    const double a = PI - (observer.sidereal_time - observer.longitude_hours) * HOURS_TO_RAD;
    const double b = -(HALF_PI - observer.latitude * DEG_TO_RAD);
    const Matrix4 horizon = Matrix4::rotate_z(a) * Matrix4::rotate_y(b) * Matrix4::scale(1.0, -1.0, 1.0);
    const Matrix4 view = Matrix4::rotate_z(-view_azimuth) * Matrix4::rotate_y(-view_altitude);
    const double r = radius();
    const Matrix4 camera = Matrix4::camera_axes() * Matrix4::scale(r, -r, 10.0);
    const Matrix4 centre = Matrix4::translate(std::trunc(w * 0.5), std::trunc(h * 0.5), 0.0);

    catalog_to_horizon = catalog_to_date * horizon;
    sky_to_screen = catalog_to_horizon * view * camera * centre;
    date_to_screen = horizon * view * camera * centre;
    horizon_to_screen = view * camera * centre;
    tilt_to_screen = Matrix4::rotate_y(-view_altitude) * camera * centre;
    sky_to_horizon_scaled = catalog_to_horizon * camera;
}

EquatorialVector SkyView::catalog_from_horizon(const EquatorialVector& horizontal) const
{
    return back_through(horizontal, catalog_to_horizon);
}

EquatorialVector SkyView::date_from_catalog(const EquatorialVector& catalogue) const
{
    return through(catalogue, catalog_to_date);
}

EquatorialVector SkyView::catalog_from_date(const EquatorialVector& of_date) const
{
    return back_through(of_date, catalog_to_date);
}

} // namespace stellaro
