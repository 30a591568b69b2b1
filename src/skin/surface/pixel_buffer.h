#pragma once
#include "skin/surface/geometry.h"
#include "skin/surface/pixel.h"

#include <cstdint>
#include <memory>

namespace stellaro {

// The bitmap behind a surface: rows of RGB565 pixels, each row starting on a 4-byte boundary.
// Polymorphic so that back-ends can supply buffers over display memory that they do not own.
class PixelBuffer {
public:
    // Pixels per row and rows above which no buffer is made: no picture or screen comes near.
    static constexpr int32_t MAX_SIDE = 16384;

    // A new buffer with undefined contents; null for a size below 1 x 1, above MAX_SIDE, or
    // when the memory cannot be had.
    static std::unique_ptr<PixelBuffer> create(Size size);

    static constexpr uint32_t pitch_for(int32_t width) { return (static_cast<uint32_t>(width) * 2 + 3) & ~3u; }

    // Wraps memory that someone else keeps (owns = false) or that was allocated with std::malloc
    // (owns = true).
    PixelBuffer(Size size, uint32_t pitch, uint8_t* bits, bool owns);
    virtual ~PixelBuffer();
    PixelBuffer(const PixelBuffer&) = delete;
    PixelBuffer& operator=(const PixelBuffer&) = delete;

    int32_t width() const { return extent.width; }
    int32_t height() const { return extent.height; }
    Size size() const { return extent; }
    uint32_t pitch() const { return row_bytes; }
    uint8_t* bits() { return first; }
    const uint8_t* bits() const { return first; }
    Pixel* row(int32_t y) { return reinterpret_cast<Pixel*>(first + static_cast<size_t>(y) * row_bytes); }
    const Pixel* row(int32_t y) const { return reinterpret_cast<const Pixel*>(first + static_cast<size_t>(y) * row_bytes); }
    bool owns() const { return owning; }

private:
    Size extent;
    uint32_t row_bytes;
    uint8_t* first;
    bool owning;
};

} // namespace stellaro
