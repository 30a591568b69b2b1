#include "sky/sky_curves.h"

#include "astro/angles.h"
#include "astro/coordinates.h"

#include <algorithm>
#include <cmath>

namespace stellaro {

namespace {

constexpr double TWO_PI = 6.283185307179586;

int steps_for(double span_rad) { return std::max(1, static_cast<int>(std::ceil(std::fabs(span_rad) / (CURVE_STEP_DEG * DEG_TO_RAD)))); }

Point pixel(Point origin, const ScreenPoint& p)
{
    return {origin.x + static_cast<int32_t>(std::lround(p.x)), origin.y + static_cast<int32_t>(std::lround(p.y))};
}

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

void draw_curve(RenderSurface& surface, Point origin, const SkyCurve& curve, const Matrix4& to_screen, Colour colour)
{
    if (curve.points.empty())
        return;
    ScreenPoint previous = project(curve.closed ? curve.points.back() : curve.points.front(), to_screen);
    for (size_t i = curve.closed ? 0 : 1; i < curve.points.size(); ++i) {
        const ScreenPoint p = project(curve.points[i], to_screen);
        if (p.depth < 0.0 && previous.depth < 0.0)
            surface.draw_line(pixel(origin, previous), pixel(origin, p), colour);
        previous = p;
    }
}

} // namespace stellaro
