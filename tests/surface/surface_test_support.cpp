#include "surface/surface_test_support.h"

#include "skin/io/log.h"
#include "support/byte_writer.h"

#include "databuild/jpeg_codec.h"

#include <cstring>

namespace stellaro {

size_t MemoryStream::read(void* buffer, size_t count)
{
    const size_t n = std::min(count, bytes.size() - at);
    std::memcpy(buffer, bytes.data() + at, n);
    at += n;
    return n;
}

uint64_t MemoryStream::skip(uint64_t count)
{
    const uint64_t n = std::min<uint64_t>(count, bytes.size() - at);
    at += static_cast<size_t>(n);
    return n;
}

bool MemoryStream::seek(uint64_t position)
{
    if (position > bytes.size())
        return false;
    at = static_cast<size_t>(position);
    return true;
}

LogCapture::LogCapture()
{
    log() << "";
}

// The file is let go before the variables come back, so later lines go where they belong.
LogCapture::~LogCapture()
{
    forced.set("0");
    log() << "";
}

std::string LogCapture::text() const
{
    return read_file(log_file_path());
}

void fill(RenderSurface& surface, Pixel value)
{
    surface.apply(Point{}, surface.size(), SolidFiller(value));
}

void paint_pattern(RenderSurface& surface, const std::function<Pixel(int32_t, int32_t)>& value)
{
    PixelBuffer* buffer = surface.buffer();
    for (int32_t y = 0; y < buffer->height(); ++y)
        for (int32_t x = 0; x < buffer->width(); ++x)
            buffer->row(y)[x] = value(x, y);
}

std::string bmp_565(int32_t width, int32_t height, const std::vector<uint16_t>& pixels, bool top_down,
                    uint16_t bits_per_pixel)
{
    const int32_t stride = (16 * width + 31) / 32 * 4;
    const int32_t start = 54 + 12; // three bit-field masks follow the header
    ByteWriter out;
    out.bytes("BM").u32(start + stride * height).u32(0).u32(start);
    out.u32(40).u32(width).u32(top_down ? -height : height).u16(1).u16(bits_per_pixel);
    out.u32(3).u32(stride * height).u32(2835).u32(2835).u32(0).u32(0);
    out.u32(0xF800).u32(0x07E0).u32(0x001F);
    for (int32_t r = 0; r < height; ++r) {
        const int32_t y = top_down ? r : height - 1 - r;
        for (int32_t x = 0; x < width; ++x)
            out.u16(pixels[static_cast<size_t>(y * width + x)]);
        out.bytes(std::string(static_cast<size_t>(stride - width * 2), '\0'));
    }
    return out.str();
}

std::string jpeg_of(int32_t width, int32_t height, const std::function<uint32_t(int32_t, int32_t)>& rgb, int quality)
{
    RgbImage image{width, height, std::vector<uint8_t>(static_cast<size_t>(width) * height * 3)};
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x) {
            const uint32_t c = rgb(x, y);
            uint8_t* pixel = image.at(x, y);
            pixel[0] = static_cast<uint8_t>(c >> 16);
            pixel[1] = static_cast<uint8_t>(c >> 8);
            pixel[2] = static_cast<uint8_t>(c);
        }
    return encode_jpeg(image, quality);
}

} // namespace stellaro
