#include "sky/star_strength.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace stellaro {

StarFrame star_frame(double clock, double zoom)
{
    StarFrame frame;
    frame.phase = static_cast<int32_t>(std::fmod(clock, 16.0) * 1024);
    frame.limit = static_cast<int32_t>(zoom * 100 + 300);
    frame.base = static_cast<int32_t>(std::max(256.0, 384 - 128 * zoom));
    frame.label_level = static_cast<int32_t>((zoom * 2 + 3) * 50);
    return frame;
}

StarLook star_look(int32_t magnitude, int32_t twinkle_phase, const StarFrame& frame)
{
    StarLook look;
    look.star_class = std::clamp((magnitude >> 10) + 1, 0, 7);
    look.strength = magnitude <= frame.limit ? frame.base : frame.base + 2 * (magnitude - frame.limit);
    if (look.strength > SINGLE_PIXEL_STRENGTH)
        return look;
    int32_t d = std::abs(twinkle_phase - frame.phase);
    d = std::min(d, TWINKLE_PERIOD - d);
    if (d < 256)
        look.strength = std::max(255, look.strength + d - 256);
    return look;
}

} // namespace stellaro
