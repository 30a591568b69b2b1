#include "sky/refraction_lift.h"

#include "astro/angles.h"
#include "astro/refraction.h"
#include "sky/sky_view.h"

#include <cmath>

namespace stellaro {

namespace {

// A quarter pixel: less is invisible.
constexpr double VISIBLE_PX = 0.25;

// The lowest altitude, degrees, above which refraction moves a point less than the visible
// fraction of a pixel; refraction falls with altitude, so halving finds it.
double visible_limit_deg(double px_per_deg)
{
    double low = -2.0, high = 90.0;
    if (refraction_deg(low + 1.0) * px_per_deg < VISIBLE_PX)
        return low;
    for (int i = 0; i < 30; ++i) {
        const double mid = 0.5 * (low + high);
        if (refraction_deg(mid) * px_per_deg < VISIBLE_PX)
            high = mid;
        else
            low = mid;
    }
    return high;
}

} // namespace

void RefractionLift::prepare(const SkyView& sky_view, bool on)
{
    view = &sky_view;
    on_ = on;
    limit_sin = on ? std::sin(visible_limit_deg(sky_view.radius() * DEG_TO_RAD) * DEG_TO_RAD) : -1.0;
}

double RefractionLift::sin_altitude(const EquatorialVector& p) const
{
    const auto& m = view->catalog_to_horizon.m;
    return p.x * m[0][2] + p.y * m[1][2] + p.z * m[2][2];
}

bool RefractionLift::below_horizon(double s) const
{
    if (!needed(s))
        return s < 0.0;
    const double altitude_deg = std::asin(s) * RAD_TO_DEG;
    return altitude_deg + refraction_deg(altitude_deg) < 0.0;
}

ScreenPoint RefractionLift::screen_point(const EquatorialVector& p) const
{
    const double s = sin_altitude(p);
    if (!needed(s))
        return project(p, view->sky_to_screen);
    const auto& m = view->catalog_to_horizon.m;
    const EquatorialVector h{p.x * m[0][0] + p.y * m[1][0] + p.z * m[2][0], p.x * m[0][1] + p.y * m[1][1] + p.z * m[2][1], s};
    const double altitude_deg = std::asin(s) * RAD_TO_DEG;
    const double lifted = (altitude_deg + refraction_deg(altitude_deg)) * DEG_TO_RAD;
    // The same azimuth, higher up its vertical circle.
    const double across = std::sqrt(h.x * h.x + h.y * h.y);
    const double k = across > 0.0 ? std::cos(lifted) / across : 0.0;
    return project(EquatorialVector{h.x * k, h.y * k, std::sin(lifted)}, view->horizon_to_screen);
}

} // namespace stellaro
