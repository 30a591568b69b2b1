#pragma once
#include "skin/surface/render_surface.h"

#include <cstdint>

namespace stellaro {

// Sets pixel (x, y) of the surface to value(x, y), clip or not.
template <typename Value>
void paint_pattern(RenderSurface& surface, Value value)
{
    PixelBuffer* buffer = surface.buffer();
    for (int32_t y = 0; y < buffer->height(); ++y)
        for (int32_t x = 0; x < buffer->width(); ++x)
            buffer->row(y)[x] = static_cast<Pixel>(value(x, y));
}

// A surface of the size in one colour (new buffers are not cleared).
inline RenderSurface blank(Size size, Pixel value = 0)
{
    RenderSurface surface(size);
    paint_pattern(surface, [value](int32_t, int32_t) { return value; });
    return surface;
}

// A surface of the size whose pixel (x, y) is 100 * y + x + 1, so that a pixel names its place.
inline RenderSurface numbered(Size size)
{
    RenderSurface surface(size);
    paint_pattern(surface, [](int32_t x, int32_t y) { return 100 * y + x + 1; });
    return surface;
}

} // namespace stellaro
