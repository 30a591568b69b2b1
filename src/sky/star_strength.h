#pragma once
#include "astro/star_record.h"

#include <cstdint>

namespace stellaro {

// How a star is drawn this frame: its sprite class and one strength value that folds the
// magnitude, the zoom and the travelling twinkle together (above SINGLE_PIXEL: one pixel).
struct StarLook {
    int32_t star_class = 0;
    int32_t strength = 0;
};

struct StarFrame {
    int32_t phase = 0;       // twinkle phase of the frame, 0..16383
    int32_t limit = 0;       // magnitudes up to this keep the base strength
    int32_t base = 0;        // the strength of bright stars
    int32_t label_level = 0; // name brightness budget, 50 less per class
};

constexpr int32_t SINGLE_PIXEL_STRENGTH = 600;
constexpr int32_t TWINKLE_PERIOD = 16384;

StarFrame star_frame(double clock, double zoom);
StarLook star_look(int32_t magnitude, int32_t twinkle_phase, const StarFrame& frame);
// The brightness of a star's name (0..), shown when above 32.
inline int32_t label_alpha(const StarFrame& frame, int32_t star_class) { return frame.label_level - 50 * star_class; }

// Night mode keeps a star's luminance as red: (77 r + 151 g + 28 b) / 256.
inline StarColour night_star_colour(StarColour c)
{
    return {static_cast<uint8_t>((77 * c.red + 151 * c.green + 28 * c.blue) >> 8), 0, 0, 255};
}

} // namespace stellaro
