#pragma once
#include <cstdint>

namespace stellaro {

// The frame is drawn upright in its own orientation and turned in software on its way to the
// window; pointer positions and arrow keys from the window are turned back. `turns` is the
// orientation setting in quarter turns (0, 1, 2, 3 for 0, 90, 180, 270 degrees).

// Size of the window image for a frame of width x height.
void rotated_size(int width, int height, int turns, int& out_width, int& out_height);

// Copies the frame (pitch in pixels) into `window` (tightly packed, rotated_size pixels).
void rotate_frame(const uint16_t* frame, int width, int height, int pitch, uint16_t* window, int turns);

// A window position as a frame position; width and height are the frame's.
void window_to_frame(int window_x, int window_y, int width, int height, int turns, int& frame_x, int& frame_y);

// A frame position as a window position; width and height are the frame's.
void frame_to_window(int frame_x, int frame_y, int width, int height, int turns, int& window_x, int& window_y);

// Turns an arrow virtual key (37 left, 38 up, 39 right, 40 down) with the display; other keys pass.
uint32_t rotate_arrow_key(uint32_t virtual_key, int turns);

} // namespace stellaro
