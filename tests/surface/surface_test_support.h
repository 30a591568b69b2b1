#pragma once
#include "skin/io/input_stream.h"
#include "skin/surface/render_surface.h"
#include "support/test_support.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace stellaro {

// Bytes in memory as a stream.
class MemoryStream final : public InputStream {
public:
    explicit MemoryStream(std::string bytes) : bytes(std::move(bytes)) {}
    size_t read(void* buffer, size_t count) override;
    uint64_t skip(uint64_t count) override;
    bool is_open() const override { return true; }
    uint64_t size() const override { return bytes.size(); }
    bool seek(uint64_t position) override;
    uint64_t tell() const override { return at; }

private:
    std::string bytes;
    size_t at = 0;
};

// Turns the log on into a private folder for the lifetime of the object.
class LogCapture {
public:
    LogCapture();
    ~LogCapture();
    std::string text() const;

private:
    TemporaryFolder folder;
    EnvironmentGuard state_home{"XDG_STATE_HOME", folder.path()};
    EnvironmentGuard forced{"STELLARO_LOG", "1"};
};

// A surface of the size filled with one pixel value.
void fill(RenderSurface& surface, Pixel value);
// A surface whose pixel (x, y) is value(x, y).
void paint_pattern(RenderSurface& surface, const std::function<Pixel(int32_t, int32_t)>& value);

// A 16-bit BMP: pixels given top row first; top_down writes a negative height. Rows are padded
// to 4 bytes.
std::string bmp_565(int32_t width, int32_t height, const std::vector<uint16_t>& pixels, bool top_down,
                    uint16_t bits_per_pixel = 16);

// A baseline JPEG of RGB pixels, given top row first as 0xRRGGBB.
std::string jpeg_of(int32_t width, int32_t height, const std::function<uint32_t(int32_t, int32_t)>& rgb,
                    int quality = 95);

} // namespace stellaro
