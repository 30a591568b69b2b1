#include "skin/elements/drag_tracker.h"

#include <cstdlib>

namespace stellaro {

void DragTracker::on_button(const PointerEvent& event)
{
    if (event.down) {
        press_event = event;
        vx = 0;
        vy = 0;
        moved_ = 0;
        recent.clear();
        recent.push_back({event.x, event.y, event.time});
        is_pressed = true;
        return;
    }
    sample(event);
    is_pressed = false;
}

void DragTracker::on_move(const PointerEvent& event) { sample(event); }

void DragTracker::sample(const PointerEvent& event)
{
    if (moved_ == 0.0 && std::abs(event.x - press_event.x) <= SLOP && std::abs(event.y - press_event.y) <= SLOP)
        return;
    moved_ = -1.0;
    recent.push_back({event.x, event.y, event.time});
    if (recent.size() > MAX_SAMPLES)
        recent.pop_front();
    while (recent.size() > 1 && event.time - recent.front().time >= VELOCITY_WINDOW)
        recent.pop_front();
    const Sample& oldest = recent.front();
    const Sample& newest = recent.back();
    const uint32_t span = newest.time - oldest.time;
    if (span < MIN_SPAN) {
        vx = 0;
        vy = 0;
        return;
    }
    const auto s = static_cast<int64_t>(span);
    vx = static_cast<double>((static_cast<int64_t>(oldest.x) - newest.x) * 1000 / s);
    vy = static_cast<double>((static_cast<int64_t>(oldest.y) - newest.y) * 1000 / s);
}

int32_t DragTracker::delta_x() const
{
    return recent.size() < 2 ? 0 : recent.back().x - recent[recent.size() - 2].x;
}

int32_t DragTracker::delta_y() const
{
    return recent.size() < 2 ? 0 : recent.back().y - recent[recent.size() - 2].y;
}

} // namespace stellaro
