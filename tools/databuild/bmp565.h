#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace stellaro {

// A 16-bit BMP file (bit fields 0xF800, 0x07E0, 0x001F) of top-down RGB565 pixels, rows stored
// bottom-up as usual.
std::string bmp565_file(int width, int height, const std::vector<uint16_t>& pixels);

} // namespace stellaro
