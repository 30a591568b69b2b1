#pragma once
#include <cstdint>

namespace stellaro {

// The time between two frames of the program, in a window or drawn headless.
constexpr uint32_t FRAME_MS = 40;

// The time between frames: elapsed milliseconds of the tick count as seconds, clamped so that
// one slow frame never makes animations jump by more than a tenth of a second.
class FrameClock {
public:
    static constexpr double MIN_STEP = 0.001;
    static constexpr double MAX_STEP = 0.1;

    explicit FrameClock(uint32_t now_tick) : last_tick(now_tick) {}
    // Seconds since the previous step (or construction), clamped; the tick becomes the previous one.
    double step(uint32_t now_tick);
    uint32_t last() const { return last_tick; }

private:
    uint32_t last_tick;
};

} // namespace stellaro
