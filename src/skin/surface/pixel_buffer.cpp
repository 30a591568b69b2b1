#include "skin/surface/pixel_buffer.h"

#include <cstdlib>
#include <new>

namespace stellaro {

std::unique_ptr<PixelBuffer> PixelBuffer::create(Size size)
{
    if (size.width < 1 || size.height < 1 || size.width > MAX_SIDE || size.height > MAX_SIDE)
        return nullptr;
    const uint32_t pitch = pitch_for(size.width);
    auto* bits = static_cast<uint8_t*>(std::malloc(static_cast<size_t>(pitch) * static_cast<size_t>(size.height)));
    if (!bits)
        return nullptr;
    auto* buffer = new (std::nothrow) PixelBuffer(size, pitch, bits, true);
    if (!buffer) {
        std::free(bits);
        return nullptr;
    }
    return std::unique_ptr<PixelBuffer>(buffer);
}

PixelBuffer::PixelBuffer(Size size, uint32_t pitch, uint8_t* bits, bool owns)
    : extent(size), row_bytes(pitch), first(bits), owning(owns)
{
}

PixelBuffer::~PixelBuffer()
{
    if (owning)
        std::free(first);
}

} // namespace stellaro
