#pragma once
#include "skin/surface/render_surface.h"
#include "skin/surface/span_painter.h"

#include <cstdint>

namespace stellaro {

// How the Moon shows its phase on a picture: the phase angle (degrees; 0 full, 180 new, and a
// value above 180 reads as 360 minus it) and where the bright limb faces, in degrees from the
// picture's up turning toward its left. For a picture with north up and east left this is the
// position angle of the bright limb.
struct MoonPhase {
    double phase_angle_deg = 0.0;
    double bright_limb_deg = 0.0;
};

// The fraction of the disc that is lit, 0 (new) to 1 (full).
double lit_fraction(double phase_angle_deg);

// The position angle of the bright limb (degrees 0..360, from north through east): the direction
// from the Moon toward the Sun, from their right ascensions (hours) and declinations (degrees).
double bright_limb_position_angle(double moon_ra_hours, double moon_dec_deg, double sun_ra_hours, double sun_dec_deg);

// The screen direction (dx, dy; y down) as a bright-limb angle of MoonPhase.
double picture_angle_deg(double dx, double dy);

// Tints the lit part of a disc picture by `lit` and its night side by NIGHT_SIDE, with a
// terminator one source pixel soft, and keeps whatever of the background is brighter (the day
// sky through the night side). Needs the source column and row (scaled drawing gives them).
struct MoonFigureRule {
    Tint lit;
    double centre_x, centre_y, radius;
    double limb_x, limb_y;  // unit vector toward the bright limb on the picture
    double terminator;      // cos of the phase angle: where the terminator crosses the limb axis

    MoonFigureRule(Tint lit, Point source_origin, Size source_size, const MoonPhase& phase);
    Pixel operator()(Pixel d, Pixel s, int32_t x, int32_t y) const;

    static constexpr uint16_t NIGHT_SIDE = 50;
};

// Draws the source rectangle of picture (the whole Moon's disc, transparent key outside it)
// scaled to `size` at `at`, lit as the phase says; the lit part is tinted by lit_strength
// (0..256: 255 in full light, 128 below the horizon).
void draw_moon_figure(RenderSurface& target, const RenderSurface& picture, Point source_origin, Size source_size, Point at,
                      Size size, const MoonPhase& phase, uint16_t lit_strength = 255);

} // namespace stellaro
