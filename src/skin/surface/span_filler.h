#pragma once
#include "skin/surface/pixel.h"

#include <cstdint>
#include <memory>

namespace stellaro {

// Changes a row of pixels in place.
class SpanFiller {
public:
    virtual ~SpanFiller() = default;
    virtual void fill(Pixel* begin, Pixel* end) const = 0;
};

// Sets every pixel to one colour, two pixels per 32-bit store where the row allows.
class SolidFiller final : public SpanFiller {
public:
    explicit SolidFiller(Pixel colour);
    explicit SolidFiller(Colour colour) : SolidFiller(to_pixel(colour)) {}
    void fill(Pixel* begin, Pixel* end) const override;

private:
    Pixel single;
    uint32_t pair;
};

// Darkens to about k/16 of the brightness, k = (level + 8) / 16 clamped to 0..16 (level 0..255).
std::unique_ptr<SpanFiller> dim_filler(int32_t level);

} // namespace stellaro
