#include "shell/display_rotation.h"

#include <gtest/gtest.h>

#include <vector>

namespace stellaro {

namespace {

TEST(DisplayRotation, EveryWindowPixelShowsTheFramePixelThePointerMapsTo)
{
    // An odd-sized frame with padding at the end of each row; every pixel names its position.
    const int width = 37, height = 21, pitch = 40;
    std::vector<uint16_t> frame(static_cast<size_t>(pitch) * height, 0xFFFF);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            frame[static_cast<size_t>(y) * pitch + x] = static_cast<uint16_t>(y * 256 + x);
    for (int turns = 0; turns < 4; ++turns) {
        int out_width = 0, out_height = 0;
        rotated_size(width, height, turns, out_width, out_height);
        ASSERT_EQ(out_width, turns % 2 ? height : width);
        std::vector<uint16_t> window(static_cast<size_t>(out_width) * out_height);
        rotate_frame(frame.data(), width, height, pitch, window.data(), turns);
        for (int y = 0; y < out_height; ++y)
            for (int x = 0; x < out_width; ++x) {
                int fx = -1, fy = -1;
                window_to_frame(x, y, width, height, turns, fx, fy);
                ASSERT_EQ(window[static_cast<size_t>(y) * out_width + x], fy * 256 + fx)
                    << "turns " << turns << " at " << x << "," << y;
            }
    }
}

} // namespace

} // namespace stellaro
