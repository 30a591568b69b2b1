#pragma once
#include "astro/star_record.h"

#include <cstdint>

namespace stellaro {

// How a star is drawn this frame: its sprite class (0 the largest), the strength that shrinks
// the sprite within its class (256 the whole disc, to which the twinkle briefly brings it) and the
// intensity its colour is scaled by (0..255; 0: not drawn).
struct StarLook {
    int32_t star_class = 0;
    int32_t strength = 256;
    int32_t intensity = 0;
    bool single_pixel = false;
};

// What is the same for every star in one frame. Magnitudes are in hundredths.
struct StarFrame {
    int32_t phase = 0;           // twinkle phase of the frame, 0..16383
    int32_t limit = 0;           // the faintest magnitude drawn
    int32_t brightest = -150;    // the magnitude drawn with the largest sprite
    int32_t label_limit = 0;     // stars up to this magnitude may be named
};

constexpr int32_t TWINKLE_PERIOD = 16384;
// The faintest stars drawn at zoom 0 under a dark sky, and the gain per unit of zoom.
constexpr double DARK_SKY_LIMIT_MAG = 5.5;
constexpr double LIMIT_MAG_PER_ZOOM = 0.8;

// The frame's values for the clock (seconds), the zoom and the faintest magnitude the sky's
// brightness lets through (see sky_limiting_magnitude).
StarFrame star_frame(double clock, double zoom, double sky_limit_mag = 99.0);
// The look of a star: size and intensity both fall smoothly with the magnitude.
StarLook star_look(int32_t magnitude, int32_t twinkle_phase, const StarFrame& frame);
// The brightness of a star's name (0..255; 0: not named).
int32_t label_alpha(const StarFrame& frame, int32_t magnitude);

// Night mode keeps a star's luminance as red: (77 r + 151 g + 28 b) / 256.
inline StarColour night_star_colour(StarColour c)
{
    return {static_cast<uint8_t>((77 * c.red + 151 * c.green + 28 * c.blue) >> 8), 0, 0, 255};
}

} // namespace stellaro
