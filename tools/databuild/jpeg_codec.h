#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace stellaro {

// An 8-bit RGB picture, rows top-down.
struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> pixels; // width * height * 3

    uint8_t* at(int x, int y) { return &pixels[(static_cast<size_t>(y) * width + x) * 3]; }
    const uint8_t* at(int x, int y) const { return &pixels[(static_cast<size_t>(y) * width + x) * 3]; }
};

// Decodes a JPEG file's bytes; false on damaged data.
bool decode_jpeg(const std::string& bytes, RgbImage& image);
// Encodes as baseline JPEG of the given quality (1..100); empty on failure.
std::string encode_jpeg(const RgbImage& image, int quality);

} // namespace stellaro
