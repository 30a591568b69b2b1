#include "skin/surface/png_writer.h"

#include "platform/atomic_file.h"
#include "skin/io/log.h"

#include <png.h>

#include <csetjmp>
#include <vector>

namespace stellaro {

namespace {

void append_bytes(png_structp png, png_bytep data, png_size_t length)
{
    auto* out = static_cast<std::string*>(png_get_io_ptr(png));
    out->append(reinterpret_cast<const char*>(data), length);
}

void no_flush(png_structp) {}

void on_error(png_structp png, png_const_charp message)
{
    log() << "write_png: " << (message ? message : "error") << "\n";
    png_longjmp(png, 1);
}

void on_warning(png_structp, png_const_charp) {}

// Encodes into bytes; the setjmp frame holds nothing that needs destroying.
bool encode(const PixelBuffer& buffer, std::string& bytes, std::vector<png_byte>& row)
{
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, on_error, on_warning);
    if (!png)
        return false;
    png_infop info = png_create_info_struct(png);
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        return false;
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_set_write_fn(png, &bytes, append_bytes, no_flush);
    png_set_IHDR(png, info, static_cast<png_uint_32>(buffer.width()), static_cast<png_uint_32>(buffer.height()), 8,
                 PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int32_t y = 0; y < buffer.height(); ++y) {
        const Pixel* pixels = buffer.row(y);
        for (int32_t x = 0; x < buffer.width(); ++x) {
            row[3 * x] = red_of(pixels[x]);
            row[3 * x + 1] = green_of(pixels[x]);
            row[3 * x + 2] = blue_of(pixels[x]);
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return true;
}

} // namespace

FileResult write_png(const PixelBuffer& buffer, const std::string& path)
{
    if (buffer.width() < 1 || buffer.height() < 1)
        return {"there are no pixels"};
    std::string bytes;
    std::vector<png_byte> row(static_cast<size_t>(buffer.width()) * 3);
    if (!encode(buffer, bytes, row))
        return {"the PNG encoder failed"};
    return write_whole_file(path, bytes, FileSharing::SHARED);
}

FileResult write_png(const RenderSurface& surface, const std::string& path)
{
    if (!surface.buffer())
        return {"there are no pixels"};
    return write_png(*surface.buffer(), path);
}

} // namespace stellaro
