#pragma once
// Pictures compared with the PNG files under tests/data/golden.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace stellaro {

// RGB565 pixels (red in the top five bits), top row first, rows without padding.
struct Picture565 {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint16_t> pixels;
};

// The pixels of anything with width(), height() and row(y) giving RGB565 pixels, such as the
// program's pixel buffers.
template <typename Buffer>
Picture565 picture_of(const Buffer& buffer)
{
    Picture565 picture{buffer.width(), buffer.height(), {}};
    picture.pixels.reserve(static_cast<size_t>(picture.width) * picture.height);
    for (int32_t y = 0; y < picture.height; ++y)
        picture.pixels.insert(picture.pixels.end(), buffer.row(y), buffer.row(y) + picture.width);
    return picture;
}

// An 8-bit PNG as RGB565, each channel cut to its top bits; nothing when it cannot be read.
std::optional<Picture565> read_png_565(const std::string& path);

// Compares the picture with tests/data/golden/<name>, pixel for pixel. STELLARO_UPDATE_GOLDEN=1
// rewrites the golden file instead. On a difference the picture is kept as actual-<name> in the
// working folder (beside the test programs) to look at.
::testing::AssertionResult matches_golden(const Picture565& picture, const std::string& name);

} // namespace stellaro
