#include "support/golden.h"

#include <png.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>

namespace stellaro {

std::optional<Picture565> read_png_565(const std::string& path)
{
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str()))
        return std::nullopt;
    image.format = PNG_FORMAT_RGB;
    std::vector<png_byte> rgb(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr))
        return std::nullopt;
    Picture565 picture{static_cast<int32_t>(image.width), static_cast<int32_t>(image.height), {}};
    for (size_t i = 0; i < rgb.size(); i += 3)
        picture.pixels.push_back(static_cast<uint16_t>((rgb[i] & 0xF8) << 8 | (rgb[i + 1] & 0xFC) << 3 | rgb[i + 2] >> 3));
    return picture;
}

namespace {

// Writes an 8-bit RGB PNG, each channel's top bits repeated into the low ones, so that reading
// it back gives the same pixels.
bool write_png_565(const Picture565& picture, const std::string& path)
{
    std::vector<png_byte> rgb;
    for (const uint16_t p : picture.pixels) {
        const unsigned r = p >> 11, g = (p >> 5) & 0x3F, b = p & 0x1F;
        rgb.insert(rgb.end(), {static_cast<png_byte>(r << 3 | r >> 2), static_cast<png_byte>(g << 2 | g >> 4),
                               static_cast<png_byte>(b << 3 | b >> 2)});
    }
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(picture.width);
    image.height = static_cast<png_uint_32>(picture.height);
    image.format = PNG_FORMAT_RGB;
    return picture.width > 0 && picture.height > 0 &&
           png_image_write_to_file(&image, path.c_str(), 0, rgb.data(), 0, nullptr);
}

} // namespace

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
