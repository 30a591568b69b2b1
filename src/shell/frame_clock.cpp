#include "shell/frame_clock.h"

#include <algorithm>

namespace stellaro {

double frame_interval_ms(int32_t reported_hz)
{
    const int32_t hz = reported_hz >= MIN_DISPLAY_HZ && reported_hz <= MAX_DISPLAY_HZ ? reported_hz : DEFAULT_DISPLAY_HZ;
    return 1000.0 / hz;
}

double FrameClock::step(uint32_t now_tick, double max_step)
{
    // Unsigned difference: correct across the wrap of the tick counter.
    const double dt = static_cast<uint32_t>(now_tick - last_tick) * 0.001;
    last_tick = now_tick;
    return std::clamp(dt, MIN_STEP, std::max(max_step, MIN_STEP));
}

} // namespace stellaro
