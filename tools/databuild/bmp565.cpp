#include "bmp565.h"

#include "skin/io/packed_bytes.h"

namespace stellaro {

namespace {

constexpr int FILE_HEADER = 14;
constexpr int INFO_HEADER = 40;
constexpr int MASKS = 12;
constexpr int BI_BITFIELDS = 3;

} // namespace

std::string bmp565_file(int width, int height, const std::vector<uint16_t>& pixels)
{
    const int row_bytes = ((16 * width + 31) / 32) * 4;
    const int data_offset = FILE_HEADER + INFO_HEADER + MASKS;
    const int data_size = row_bytes * height;
    std::string out;
    out += "BM";
    put_integer(out, data_offset + data_size, 4);
    put_integer(out, 0, 4);
    put_integer(out, data_offset, 4);
    put_integer(out, INFO_HEADER, 4);
    put_integer(out, width, 4);
    put_integer(out, height, 4);
    put_integer(out, 1, 2);
    put_integer(out, 16, 2);
    put_integer(out, BI_BITFIELDS, 4);
    put_integer(out, data_size, 4);
    put_integer(out, 2835, 4); // 72 dots per inch
    put_integer(out, 2835, 4);
    put_integer(out, 0, 4);
    put_integer(out, 0, 4);
    put_integer(out, 0xF800, 4);
    put_integer(out, 0x07E0, 4);
    put_integer(out, 0x001F, 4);
    for (int y = height - 1; y >= 0; --y) {
        for (int x = 0; x < width; ++x)
            put_integer(out, pixels[static_cast<size_t>(y) * width + x], 2);
        out.append(static_cast<size_t>(row_bytes - 2 * width), '\0');
    }
    return out;
}

} // namespace stellaro
