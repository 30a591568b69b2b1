#include "shell/frame_clock.h"

#include <algorithm>

namespace stellaro {

double FrameClock::step(uint32_t now_tick)
{
    // Unsigned difference: correct across the wrap of the tick counter.
    const double dt = static_cast<uint32_t>(now_tick - last_tick) * 0.001;
    last_tick = now_tick;
    return std::clamp(dt, MIN_STEP, MAX_STEP);
}

} // namespace stellaro
