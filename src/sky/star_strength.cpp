#include "sky/star_strength.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace stellaro {

namespace {

constexpr int32_t CLASSES = 8;
// Within a class the strength grows to this, shrinking the sprite toward the next class's size.
constexpr int32_t CLASS_STEP_STRENGTH = 96;
// The faintest stars still show at this intensity, so that they read as stars, not noise.
constexpr double FAINTEST_INTENSITY = 80.0;
// Named stars are this many magnitudes brighter than the faintest drawn.
constexpr double LABEL_MARGIN_MAG = 2.6;

} // namespace

StarFrame star_frame(double clock, double zoom, double sky_limit_mag)
{
    StarFrame frame;
    frame.phase = static_cast<int32_t>(std::fmod(std::fabs(clock), 16.0) * 1024) % TWINKLE_PERIOD;
    const double limit = std::min(DARK_SKY_LIMIT_MAG + LIMIT_MAG_PER_ZOOM * std::clamp(zoom, 0.0, 3.0), sky_limit_mag);
    frame.limit = static_cast<int32_t>(std::lround(limit * 100.0));
    frame.label_limit = static_cast<int32_t>(std::lround((limit - LABEL_MARGIN_MAG) * 100.0));
    return frame;
}

StarLook star_look(int32_t magnitude, int32_t twinkle_phase, const StarFrame& frame)
{
    StarLook look;
    if (magnitude > frame.limit)
        return look;
    const double span = std::max(100, frame.limit - frame.brightest);
    // 0 for the brightest stars, 1 at the limit.
    const double x = std::clamp((magnitude - frame.brightest) / span, 0.0, 1.0);
    const double scaled = x * (CLASSES - 1);
    look.star_class = std::min(CLASSES - 1, static_cast<int32_t>(scaled));
    look.strength = 256 + static_cast<int32_t>((scaled - look.star_class) * CLASS_STEP_STRENGTH);
    // Concave in the star's light, so that the middle magnitudes stay well seen.
    const double u = 1.0 - x;
    look.intensity = static_cast<int32_t>(FAINTEST_INTENSITY + (255.0 - FAINTEST_INTENSITY) * u * (2.0 - u) + 0.5);
    // The faintest stars are one pixel: their sprites would shrink to about that anyway.
    look.single_pixel = scaled >= CLASSES - 1.5;
    int32_t d = std::abs(twinkle_phase - frame.phase) % TWINKLE_PERIOD;
    d = std::min(d, TWINKLE_PERIOD - d);
    if (d < 256) {
        // The twinkle swells the star for a moment (never past its sprite's full disc, below
        // which the sprite's dark square would show) and brightens it a little.
        look.strength = std::max(256, look.strength - (256 - d) / 2);
        look.intensity = std::min(255, look.intensity + (256 - d) / 8);
    }
    return look;
}

int32_t label_alpha(const StarFrame& frame, int32_t magnitude)
{
    if (magnitude > frame.label_limit)
        return 0;
    // Fades in over the last half magnitude so that a zoom does not pop names in, yet even the
    // faintest stays readable.
    return std::clamp((frame.label_limit - magnitude) * 255 / 50, 130, 255);
}

} // namespace stellaro
