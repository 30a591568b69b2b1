#include "surface/surface_test_support.h"

#include "skin/io/file_stream.h"
#include "skin/io/log.h"
#include "skin/surface/decode_image.h"
#include "skin/surface/png_writer.h"
#include "platform/utf.h"
#include "support/test_support.h"

#include "databuild/jpeg_codec.h"

#include <cstdlib>
#include <cstring>
#include <filesystem>

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
    char pattern[] = "/tmp/stellaro-log-XXXXXX";
    folder = mkdtemp(pattern);
    if (const char* previous = std::getenv("XDG_STATE_HOME"))
        saved_state_home = previous;
    setenv("XDG_STATE_HOME", folder.c_str(), 1);
    setenv("STELLARO_LOG", "1", 1);
    log() << "";
}

LogCapture::~LogCapture()
{
    setenv("STELLARO_LOG", "0", 1);
    log() << "";
    if (saved_state_home.empty())
        unsetenv("XDG_STATE_HOME");
    else
        setenv("XDG_STATE_HOME", saved_state_home.c_str(), 1);
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
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

namespace {

void put(std::string& out, uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<char>(value >> (8 * i) & 0xFF));
}

} // namespace

std::string bmp_565(int32_t width, int32_t height, const std::vector<uint16_t>& pixels, bool top_down,
                    uint16_t bits_per_pixel)
{
    const int32_t stride = (16 * width + 31) / 32 * 4;
    std::string out = "BM";
    put(out, static_cast<uint32_t>(54 + 12 + stride * height), 4);
    put(out, 0, 4);
    put(out, 54 + 12, 4); // three bit-field masks follow the header
    put(out, 40, 4);
    put(out, static_cast<uint32_t>(width), 4);
    put(out, static_cast<uint32_t>(top_down ? -height : height), 4);
    put(out, 1, 2);
    put(out, bits_per_pixel, 2);
    put(out, 3, 4);
    put(out, static_cast<uint32_t>(stride * height), 4);
    put(out, 2835, 4);
    put(out, 2835, 4);
    put(out, 0, 4);
    put(out, 0, 4);
    put(out, 0xF800, 4);
    put(out, 0x07E0, 4);
    put(out, 0x001F, 4);
    for (int32_t r = 0; r < height; ++r) {
        const int32_t y = top_down ? r : height - 1 - r;
        for (int32_t x = 0; x < width; ++x)
            put(out, pixels[static_cast<size_t>(y * width + x)], 2);
        out.append(static_cast<size_t>(stride - width * 2), '\0');
    }
    return out;
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

::testing::AssertionResult matches_golden(const RenderSurface& surface, const std::string& name)
{
    const std::string path = std::string(STELLARO_TEST_DATA) + "/golden/" + name;
    if (const char* update = std::getenv("STELLARO_UPDATE_GOLDEN"); update && update[0] == '1') {
        if (!write_png(surface, path))
            return ::testing::AssertionFailure() << "cannot write " << path;
        return ::testing::AssertionSuccess();
    }
    FileStream file(utf8_to_utf16(path), FileStream::READ);
    std::unique_ptr<PixelBuffer> golden = decode_image(file);
    const std::string kept = (std::filesystem::current_path() / ("actual-" + name)).string();
    if (!golden)
        return ::testing::AssertionFailure() << "no golden image " << path;
    const PixelBuffer& actual = *surface.buffer();
    if (golden->size() != actual.size()) {
        write_png(surface, kept);
        return ::testing::AssertionFailure() << "size differs from " << path << "; rendered image in " << kept;
    }
    int64_t differing = 0;
    for (int32_t y = 0; y < actual.height(); ++y)
        for (int32_t x = 0; x < actual.width(); ++x)
            differing += golden->row(y)[x] != actual.row(y)[x];
    if (differing != 0) {
        write_png(surface, kept);
        return ::testing::AssertionFailure() << differing << " pixels differ from " << path << "; rendered image in "
                                             << kept;
    }
    return ::testing::AssertionSuccess();
}

} // namespace stellaro
