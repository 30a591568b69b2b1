#include "sky/sky_curves.h"

#include "astro/angles.h"
#include "astro/coordinates.h"

#include <algorithm>
#include <cmath>

namespace stellaro {

namespace {

constexpr double TWO_PI = 6.283185307179586;

int steps_for(double span_rad) { return std::max(1, static_cast<int>(std::ceil(std::fabs(span_rad) / (CURVE_STEP_DEG * DEG_TO_RAD)))); }

Point pixel(Point origin, const ScreenPoint& p) { return {origin.x + round_px(p.x), origin.y + round_px(p.y)}; }

} // namespace

SkyCurve declination_circle(double dec)
{
    SkyCurve curve{{}, true};
    const int steps = steps_for(TWO_PI);
    for (int i = 0; i < steps; ++i)
        curve.points.push_back(equatorial_vector(TWO_PI * i / steps, dec));
    return curve;
}

SkyCurve meridian(double ra, double from, double to)
{
    SkyCurve curve;
    const int steps = steps_for(to - from);
    for (int i = 0; i <= steps; ++i)
        curve.points.push_back(equatorial_vector(ra, from + (to - from) * i / steps));
    return curve;
}

SkyCurve horizon_circle()
{
    SkyCurve curve{{}, true};
    const int steps = steps_for(TWO_PI);
    for (int i = 0; i < steps; ++i) {
        const double a = TWO_PI * i / steps;
        curve.points.push_back({std::cos(a), std::sin(a), 0.0});
    }
    return curve;
}

SkyCurve ecliptic_circle(double obliquity_deg)
{
    SkyCurve curve{{}, true};
    const int steps = steps_for(TWO_PI);
    for (int i = 0; i < steps; ++i) {
        const EquatorialPosition place = ecliptic_to_equatorial(360.0 * i / steps, 0.0, obliquity_deg);
        curve.points.push_back(equatorial_vector(place.ra * HOURS_TO_RAD, place.dec * DEG_TO_RAD));
    }
    return curve;
}

void draw_curve(RenderSurface& surface, Point origin, const SkyCurve& curve, const Matrix4& to_screen, Colour colour, double radius_px)
{
    const size_t count = curve.points.size();
    if (count == 0)
        return;
    // Chords of angle sqrt(2 / R) stay within a quarter pixel of the arc on a sphere of radius
    // R, so at a low zoom every few points will do.
    const double chord = std::sqrt(2.0 / std::max(radius_px, 1.0)) / (CURVE_STEP_DEG * DEG_TO_RAD);
    const size_t stride = std::clamp<size_t>(static_cast<size_t>(chord), 1, 16);
    const Size size = surface.size();
    const auto off_screen_together = [&](const ScreenPoint& a, const ScreenPoint& b) {
        const double left = -origin.x, top = -origin.y, right = size.width - origin.x, bottom = size.height - origin.y;
        return (a.x < left && b.x < left) || (a.x > right && b.x > right) || (a.y < top && b.y < top) || (a.y > bottom && b.y > bottom);
    };
    const auto segment = [&](const ScreenPoint& a, const ScreenPoint& b) {
        if (a.depth < 0.0 && b.depth < 0.0 && !off_screen_together(a, b))
            surface.draw_line(pixel(origin, a), pixel(origin, b), colour);
    };
    const ScreenPoint first = project(curve.points.front(), to_screen);
    ScreenPoint previous = first;
    size_t i = stride;
    for (; i < count; i += stride) {
        const ScreenPoint p = project(curve.points[i], to_screen);
        segment(previous, p);
        previous = p;
    }
    if (curve.closed)
        segment(previous, first);
    else if (i - stride != count - 1)
        segment(previous, project(curve.points.back(), to_screen));
}

} // namespace stellaro
