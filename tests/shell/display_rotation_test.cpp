#include "shell/display_rotation.h"

#include <gtest/gtest.h>

#include <vector>

namespace stellaro {

namespace {

// A frame whose every pixel names its own position.
std::vector<uint16_t> numbered_frame(int width, int height, int pitch)
{
    std::vector<uint16_t> frame(static_cast<size_t>(pitch) * height, 0xFFFF);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            frame[static_cast<size_t>(y) * pitch + x] = static_cast<uint16_t>(y * 256 + x);
    return frame;
}

TEST(DisplayRotation, EveryWindowPixelShowsTheFramePixelThePointerMapsTo)
{
    const int width = 37;
    const int height = 21;
    const int pitch = 40;
    const auto frame = numbered_frame(width, height, pitch);
    for (int turns = 0; turns < 4; ++turns) {
        int out_width = 0;
        int out_height = 0;
        rotated_size(width, height, turns, out_width, out_height);
        std::vector<uint16_t> window(static_cast<size_t>(out_width) * out_height);
        rotate_frame(frame.data(), width, height, pitch, window.data(), turns);
        for (int y = 0; y < out_height; ++y) {
            for (int x = 0; x < out_width; ++x) {
                int fx = -1;
                int fy = -1;
                window_to_frame(x, y, width, height, turns, fx, fy);
                ASSERT_EQ(window[static_cast<size_t>(y) * out_width + x], fy * 256 + fx) << "turns " << turns << " at " << x << "," << y;
            }
        }
    }
}

TEST(DisplayRotation, PointerAndArrows)
{
    int x = 0;
    int y = 0;
    window_to_frame(0, 0, 240, 320, 1, x, y);
    EXPECT_EQ(x, 239);
    EXPECT_EQ(y, 0);
    EXPECT_EQ(rotate_arrow_key(37, 1), 38u);
    EXPECT_EQ(rotate_arrow_key(40, 1), 37u);
    EXPECT_EQ(rotate_arrow_key(38, 3), 37u);
    EXPECT_EQ(rotate_arrow_key(39, 0), 39u);
    EXPECT_EQ(rotate_arrow_key(13, 2), 13u);
}

} // namespace

} // namespace stellaro
