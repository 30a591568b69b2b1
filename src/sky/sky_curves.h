#pragma once
#include "astro/equatorial_vector.h"
#include "skin/surface/render_surface.h"
#include "sky/sky_matrix.h"

#include <vector>

namespace stellaro {

// A curve on the sphere as points close enough that the straight segments between them stay
// within a fraction of a pixel of the curve at the deepest zoom of a large window.
struct SkyCurve {
    std::vector<EquatorialVector> points;
    bool closed = false;
};

// Degrees between the points of a curve: the sagitta of such a chord is 0.2 pixels on a view
// sphere of 8640 pixels (a 1080-pixel-high window at the deepest zoom).
constexpr double CURVE_STEP_DEG = 0.75;

// The circle of declination (radians), closed.
SkyCurve declination_circle(double dec);
// The meridian of right ascension ra (radians) from declination from to to (radians).
SkyCurve meridian(double ra, double from, double to);
// The horizon in the horizontal frame (x north, y east, z zenith), closed.
SkyCurve horizon_circle();
// The ecliptic in the equatorial frame for the obliquity (degrees), closed.
SkyCurve ecliptic_circle(double obliquity_deg);

// Draws the parts of the curve in front of the observer through the matrix, offset by origin,
// with as many of its points as a view sphere of radius_px pixels needs to look smooth.
void draw_curve(RenderSurface& surface, Point origin, const SkyCurve& curve, const Matrix4& to_screen, Colour colour,
                double radius_px);

} // namespace stellaro
