#include "support/golden.h"

#include <png.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <sstream>

namespace stellaro {

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

// Reads into `rows` (RGB, 3 bytes a pixel); nothing with a destructor lives across setjmp.
bool read_rgb(std::FILE* file, png_uint_32& width, png_uint_32& height, std::vector<png_byte>& rows)
{
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        return false;
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        return false;
    }
    png_init_io(png, file);
    png_read_info(png, info);
    png_set_expand(png);
    png_set_strip_16(png);
    png_set_strip_alpha(png);
    png_set_gray_to_rgb(png);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    width = png_get_image_width(png, info);
    height = png_get_image_height(png, info);
    rows.resize(static_cast<size_t>(width) * height * 3);
    std::vector<png_bytep> starts(height);
    for (png_uint_32 y = 0; y < height; ++y)
        starts[y] = rows.data() + static_cast<size_t>(y) * width * 3;
    png_read_image(png, starts.data());
    png_destroy_read_struct(&png, &info, nullptr);
    return true;
}

bool write_rgb(std::FILE* file, const Picture565& picture, std::vector<png_byte>& row)
{
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        return false;
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, static_cast<png_uint_32>(picture.width), static_cast<png_uint_32>(picture.height), 8,
                 PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int32_t y = 0; y < picture.height; ++y) {
        for (int32_t x = 0; x < picture.width; ++x) {
            const uint16_t p = picture.at(x, y);
            const unsigned r = p >> 11, g = (p >> 5) & 0x3F, b = p & 0x1F;
            row[3 * x] = static_cast<png_byte>(r << 3 | r >> 2);
            row[3 * x + 1] = static_cast<png_byte>(g << 2 | g >> 4);
            row[3 * x + 2] = static_cast<png_byte>(b << 3 | b >> 2);
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return true;
}

} // namespace

std::optional<Picture565> read_png_565(const std::string& path)
{
    const File file(std::fopen(path.c_str(), "rb"));
    png_uint_32 width = 0;
    png_uint_32 height = 0;
    std::vector<png_byte> rgb;
    if (!file || !read_rgb(file.get(), width, height, rgb))
        return std::nullopt;
    Picture565 picture{static_cast<int32_t>(width), static_cast<int32_t>(height), {}};
    picture.pixels.reserve(rgb.size() / 3);
    for (size_t i = 0; i < rgb.size(); i += 3)
        picture.pixels.push_back(static_cast<uint16_t>((rgb[i] & 0xF8) << 8 | (rgb[i + 1] & 0xFC) << 3 | rgb[i + 2] >> 3));
    return picture;
}

bool write_png_565(const Picture565& picture, const std::string& path)
{
    if (picture.width < 1 || picture.height < 1)
        return false;
    std::vector<png_byte> row(static_cast<size_t>(picture.width) * 3);
    const File file(std::fopen(path.c_str(), "wb"));
    return file && write_rgb(file.get(), picture, row);
}

::testing::AssertionResult matches_golden(const Picture565& picture, const std::string& name)
{
    const std::string path = std::string(STELLARO_TEST_DATA) + "/golden/" + name;
    if (const char* update = std::getenv("STELLARO_UPDATE_GOLDEN"); update && update[0] == '1') {
        if (!write_png_565(picture, path))
            return ::testing::AssertionFailure() << "cannot write " << path;
        return ::testing::AssertionSuccess();
    }
    const std::optional<Picture565> golden = read_png_565(path);
    if (!golden)
        return ::testing::AssertionFailure() << "no golden picture " << path;
    std::ostringstream why;
    if (golden->width != picture.width || golden->height != picture.height) {
        why << "the picture is " << picture.width << "x" << picture.height << ", " << path << " is " << golden->width
            << "x" << golden->height;
    } else {
        int64_t differing = 0;
        for (size_t i = 0; i < picture.pixels.size(); ++i)
            differing += golden->pixels[i] != picture.pixels[i];
        if (differing == 0)
            return ::testing::AssertionSuccess();
        why << differing << " pixels differ from " << path;
    }
    const std::string kept = (std::filesystem::current_path() / ("actual-" + name)).string();
    if (!write_png_565(picture, kept))
        return ::testing::AssertionFailure() << why.str() << "; the rendered picture could not be kept in " << kept;
    return ::testing::AssertionFailure() << why.str() << "; rendered picture in " << kept;
}

} // namespace stellaro
