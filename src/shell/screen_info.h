#pragma once
#include <cstdint>

namespace stellaro {

// The geometry screens are laid out in: the frame (already turned upright) and the part of it
// that the client area covers.
struct ScreenInfo {
    int32_t screen_width = 0;
    int32_t screen_height = 0;
    int32_t client_left = 0;
    int32_t client_top = 0;
    int32_t client_width = 0;
    int32_t client_height = 0;
    int32_t orientation = 4; // quarter turns 0..3; 4 = not yet known
    int32_t dpi = 96;
};

} // namespace stellaro
