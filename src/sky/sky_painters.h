#pragma once
#include "skin/surface/pixel.h"
#include "skin/surface/span_painter.h"

#include <cstdint>

namespace stellaro {

// The sky's own blends, as rules of the surface's row loops.

// Turns a sprite's red channel into the brightness of the star's colour: strength 256 draws the
// whole disc, larger strengths shrink and dim it, since only sprite pixels brighter than
// 255 - 255 x 256 / strength remain.
struct StarRule {
    int32_t strength;
    uint32_t red, green, blue;

    Pixel operator()(Pixel d, Pixel s) const
    {
        const int32_t v = (s >> 8) & 0xF8;
        const int32_t level = 255 - (((255 - v) * strength) >> 8);
        if (level <= 0)
            return d;
        const auto l = static_cast<uint32_t>(level);
        return static_cast<Pixel>(d | ((red * l) & 0xF800u) | (((green * l) >> 5) & 0x07E0u) | ((blue * l) >> 11));
    }
};

// True when the picture pixel (x, y) is on the lit side for the phase parameters: centre is half
// the picture's height, quarter the phase angle / 90 and half_width the half width of the
// terminator ellipse.
bool phase_lit(int32_t x, int32_t y, int32_t centre, int32_t quarter, int32_t half_width);

// The Moon's phase: lit pixels are tinted by lit (255 full, 128 below the horizon), the dark part
// by 50. The rule needs the source column and row, which scaled drawing
// (RenderSurface::draw_scaled) gives.
struct PhaseRule {
    Tint lit;
    int32_t centre, quarter, half_width;

    Pixel operator()(Pixel d, Pixel s, int32_t x, int32_t y) const
    {
        if (s == TRANSPARENT_KEY)
            return d;
        return phase_lit(x, y, centre, quarter, half_width) ? lit(s) : DARK(s);
    }

    static constexpr Tint DARK{50, 50, 50};
};

using StarPainter = RulePainter<StarRule>;
using PhasePainter = RulePainter<PhaseRule>;

} // namespace stellaro
