#pragma once
#include "skin/elements/pointer_event.h"

#include <cstddef>
#include <cstdint>
#include <deque>

namespace stellaro {

// Turns pointer samples into movement deltas and a release velocity, for the elements that
// scroll or pan by dragging. A press only becomes a drag once the pointer leaves the square of
// 9 pixels around the press point; from then on every sample counts.
class DragTracker {
public:
    struct Sample {
        int32_t x = 0;
        int32_t y = 0;
        uint32_t time = 0;
    };

    static constexpr size_t MAX_SAMPLES = 25;
    static constexpr int32_t SLOP = 9;               // pixels either way still counting as a tap
    static constexpr uint32_t VELOCITY_WINDOW = 251; // samples younger than this (ms) are kept
    static constexpr uint32_t MIN_SPAN = 50;         // shorter spans give no velocity (ms)

    // A press or a release.
    void on_button(const PointerEvent& event);
    void on_move(const PointerEvent& event);

    // -1.0 once the pointer has left the tap square since the press, else 0.
    double moved() const { return moved_; }
    bool dragging() const { return moved_ != 0.0; }
    bool pressed() const { return is_pressed; }
    const PointerEvent& press() const { return press_event; }
    // Pixels per second, measured as (oldest - newest) * 1000 / span over the kept samples.
    double velocity_x() const { return vx; }
    double velocity_y() const { return vy; }
    // The movement between the last two samples; (0,0) with fewer than two.
    int32_t delta_x() const;
    int32_t delta_y() const;
    const std::deque<Sample>& samples() const { return recent; }

private:
    void sample(const PointerEvent& event);

    double vx = 0;
    double vy = 0;
    double moved_ = 0;
    PointerEvent press_event;
    std::deque<Sample> recent;
    bool is_pressed = false;
};

} // namespace stellaro
