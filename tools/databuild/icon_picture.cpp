#include "icon_picture.h"

#include "binary_output.h"
#include "bmp565.h"

#include "platform/utf.h"
#include "skin/io/file_stream.h"
#include "skin/surface/decode_image.h"
#include "skin/surface/pixel.h"

#include <iostream>

namespace stellaro {

bool write_icon_picture(const std::string& png_path, const std::string& bmp_path)
{
    FileStream stream(utf8_to_utf16(png_path), FileStream::READ);
    const std::unique_ptr<PixelBuffer> image = stream.is_open() ? decode_image(stream) : nullptr;
    if (!image) {
        std::cerr << "icon: cannot read the picture " << png_path << "\n";
        return false;
    }
    // White over black: every channel holds the coverage; red, kept at night, is the one read.
    std::vector<uint16_t> pixels;
    pixels.reserve(static_cast<size_t>(image->width()) * static_cast<size_t>(image->height()));
    for (int32_t y = 0; y < image->height(); ++y) {
        const Pixel* row = image->row(y);
        for (int32_t x = 0; x < image->width(); ++x) {
            const auto cover = static_cast<uint16_t>(row[x] >> 11);
            pixels.push_back(cover == 0 ? TRANSPARENT_KEY : static_cast<uint16_t>(cover << 11 | cover << 6 | cover));
        }
    }
    return write_output(bmp_path, bmp565_file(image->width(), image->height(), pixels));
}

} // namespace stellaro
