#pragma once
#include <cstdint>

namespace stellaro {

// A pointer press, release or move in client coordinates. Moves carry x, y and time only.
struct PointerEvent {
    int32_t x = 0;
    int32_t y = 0;
    uint32_t time = 0;   // milliseconds, the platform's message time
    uint32_t reserved = 0;
    bool down = false;      // a press (true) or a release
    bool cancelled = false; // a release without a recorded position (capture lost, element hidden)
};

} // namespace stellaro
