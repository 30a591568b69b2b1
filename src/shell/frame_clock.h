#pragma once
#include <cstdint>

namespace stellaro {

// The time between two frames of the program drawn headless (pictures, scripted events).
constexpr uint32_t FRAME_MS = 40;

// The refresh rate taken when the display reports none, or one no display has.
constexpr int32_t DEFAULT_DISPLAY_HZ = 60;
constexpr int32_t MIN_DISPLAY_HZ = 20;
constexpr int32_t MAX_DISPLAY_HZ = 500;

// Milliseconds from one frame to the next on a display refreshing reported_hz times a second.
double frame_interval_ms(int32_t reported_hz);

// The time between frames: elapsed milliseconds of the tick count as seconds, clamped so that
// one slow frame never makes animations jump by more than a tenth of a second.
class FrameClock {
public:
    static constexpr double MIN_STEP = 0.001;
    static constexpr double MAX_STEP = 0.1;

    explicit FrameClock(uint32_t now_tick) : last_tick(now_tick) {}
    // Seconds since the previous step (or construction), clamped to MIN_STEP..max_step; the tick
    // becomes the previous one. A longer max_step lets a wait that was asked for count in full.
    double step(uint32_t now_tick, double max_step = MAX_STEP);
    uint32_t last() const { return last_tick; }

private:
    uint32_t last_tick;
};

} // namespace stellaro
