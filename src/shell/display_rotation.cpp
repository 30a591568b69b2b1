#include "shell/display_rotation.h"

#include <algorithm>
#include <cstring>

namespace stellaro {

namespace {

constexpr int TILE = 16;

int normalized(int turns)
{
    return ((turns % 4) + 4) % 4;
}

} // namespace

void rotated_size(int width, int height, int turns, int& out_width, int& out_height)
{
    const bool odd = normalized(turns) % 2 == 1;
    out_width = odd ? height : width;
    out_height = odd ? width : height;
}

void rotate_frame(const uint16_t* frame, int width, int height, int pitch, uint16_t* window, int turns)
{
    // The window image is the frame turned the other way round from the pointer mapping.
    const int steps = (4 - normalized(turns)) % 4;
    int out_width = 0;
    int out_height = 0;
    rotated_size(width, height, turns, out_width, out_height);
    if (steps == 0) {
        for (int y = 0; y < height; ++y)
            std::memcpy(window + static_cast<size_t>(y) * width, frame + static_cast<size_t>(y) * pitch, static_cast<size_t>(width) * 2);
        return;
    }
    if (steps == 2) {
        for (int y = 0; y < height; ++y) {
            const uint16_t* source = frame + static_cast<size_t>(height - 1 - y) * pitch;
            uint16_t* target = window + static_cast<size_t>(y) * width;
            for (int x = 0; x < width; ++x)
                target[x] = source[width - 1 - x];
        }
        return;
    }
    // Quarter turns go tile by tile so that both sides stay in the cache.
    for (int tile_y = 0; tile_y < out_height; tile_y += TILE) {
        for (int tile_x = 0; tile_x < out_width; tile_x += TILE) {
            const int end_y = std::min(tile_y + TILE, out_height);
            const int end_x = std::min(tile_x + TILE, out_width);
            for (int y = tile_y; y < end_y; ++y) {
                uint16_t* target = window + static_cast<size_t>(y) * out_width;
                for (int x = tile_x; x < end_x; ++x) {
                    // One step: window (x, y) shows frame (y, H - 1 - x); three steps: frame (W - 1 - y, x).
                    const int fx = steps == 1 ? y : width - 1 - y;
                    const int fy = steps == 1 ? height - 1 - x : x;
                    target[x] = frame[static_cast<size_t>(fy) * pitch + fx];
                }
            }
        }
    }
}

void frame_to_window(int frame_x, int frame_y, int width, int height, int turns, int& window_x, int& window_y)
{
    switch (normalized(turns)) {
    case 1:
        window_x = frame_y;
        window_y = width - 1 - frame_x;
        break;
    case 2:
        window_x = width - 1 - frame_x;
        window_y = height - 1 - frame_y;
        break;
    case 3:
        window_x = height - 1 - frame_y;
        window_y = frame_x;
        break;
    default:
        window_x = frame_x;
        window_y = frame_y;
        break;
    }
}

void window_to_frame(int window_x, int window_y, int width, int height, int turns, int& frame_x, int& frame_y)
{
    switch (normalized(turns)) {
    case 1:
        frame_x = width - 1 - window_y;
        frame_y = window_x;
        break;
    case 2:
        frame_x = width - 1 - window_x;
        frame_y = height - 1 - window_y;
        break;
    case 3:
        frame_x = window_y;
        frame_y = height - 1 - window_x;
        break;
    default:
        frame_x = window_x;
        frame_y = window_y;
        break;
    }
}

uint32_t rotate_arrow_key(uint32_t virtual_key, int turns)
{
    if (virtual_key < 37 || virtual_key > 40)
        return virtual_key;
    return 37 + (virtual_key - 37 + static_cast<uint32_t>(normalized(turns))) % 4;
}

} // namespace stellaro
