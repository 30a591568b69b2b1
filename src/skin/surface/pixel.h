#pragma once
#include <cstdint>

namespace stellaro {

// One RGB565 pixel: red in bits 15-11, green in bits 10-5, blue in bits 4-0.
using Pixel = uint16_t;

// Painters that honour transparency leave the destination alone where the source is this key.
constexpr Pixel TRANSPARENT_KEY = 0xF81F;
// In pictures prepared for blending, a source pixel with this bit is copied unchanged; one
// without it is a pre-multiplied partial colour added to a scaled-down destination.
constexpr Pixel OPAQUE_FLAG = 0x0020;

// A colour as skins give it: 8 bits per channel.
struct Colour {
    uint8_t r = 0;
    uint8_t g = 0;
    uint8_t b = 0;
    uint8_t a = 255;

    friend constexpr bool operator==(Colour, Colour) = default;
};

constexpr Pixel rgb565(uint8_t r, uint8_t g, uint8_t b)
{
    return static_cast<Pixel>((r & 0xF8) << 8 | (g & 0xFC) << 3 | b >> 3);
}

constexpr Pixel to_pixel(Colour colour) { return rgb565(colour.r, colour.g, colour.b); }

// Channels widened back to 8 bits, the top bits repeated into the low ones (exact for 0 and full).
constexpr uint8_t red_of(Pixel p) { return static_cast<uint8_t>((p >> 11) * 8 | (p >> 11) >> 2); }
constexpr uint8_t green_of(Pixel p) { return static_cast<uint8_t>(((p >> 5) & 0x3F) * 4 | ((p >> 5) & 0x3F) >> 4); }
constexpr uint8_t blue_of(Pixel p) { return static_cast<uint8_t>((p & 0x1F) * 8 | (p & 0x1F) >> 2); }

} // namespace stellaro
