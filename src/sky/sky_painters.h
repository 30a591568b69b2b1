#pragma once
#include "skin/surface/pixel.h"
#include "skin/surface/span_filler.h"
#include "skin/surface/span_painter.h"

#include <algorithm>
#include <cstdint>

namespace stellaro {

// The sky's own blends, as rules of the surface's row loops.

// Turns a sprite's red channel into the brightness of the star's colour: strength 256 draws the
// whole disc, larger strengths shrink and dim it, since only sprite pixels brighter than
// 255 - 255 x 256 / strength remain; smaller ones swell it (the twinkle).
struct StarRule {
    int32_t strength;
    uint32_t red, green, blue;

    Pixel operator()(Pixel d, Pixel s) const
    {
        const int32_t v = (s >> 8) & 0xF8;
        const int32_t level = 255 - (((255 - v) * strength) >> 8);
        if (level <= 0)
            return d;
        const auto l = static_cast<uint32_t>(level);
        return static_cast<Pixel>(d | ((red * l) & 0xF800u) | (((green * l) >> 5) & 0x07E0u) | ((blue * l) >> 11));
    }
};

// A planet's picture tinted by its brightness and added to half the sky behind it, each channel
// saturating; the colour key stays transparent.
struct PlanetRule {
    Tint tint;

    Pixel operator()(Pixel d, Pixel s) const
    {
        if (s == TRANSPARENT_KEY)
            return d;
        const Pixel t = tint(s);
        const uint32_t half = (d & 0xF7DEu) >> 1;
        const uint32_t r = std::min<uint32_t>((t & 0xF800u) + (half & 0xF800u), 0xF800u);
        const uint32_t g = std::min<uint32_t>((t & 0x07E0u) + (half & 0x07E0u), 0x07E0u);
        const uint32_t b = std::min<uint32_t>((t & 0x001Fu) + (half & 0x001Fu), 0x001Fu);
        return static_cast<Pixel>(r | g | b);
    }
};

// A name picture (white on black) tinted, keeping each channel of the sky where that is brighter:
// on a dark sky the name as drawn, by day no dark fringe around its letters.
struct LabelRule {
    Tint tint;

    Pixel operator()(Pixel d, Pixel s) const
    {
        const Pixel t = tint(s);
        return static_cast<Pixel>(std::max<Pixel>(t & 0xF800, d & 0xF800) | std::max<Pixel>(t & 0x07E0, d & 0x07E0) |
                                  std::max<Pixel>(t & 0x001F, d & 0x001F));
    }
};

using StarPainter = RulePainter<StarRule>;
using LabelPainter = RulePainter<LabelRule>;
using PlanetPainter = RulePainter<PlanetRule>;

// Lays a colour over half of what is there: the ground covering the sky below the horizon.
class VeilFiller final : public SpanFiller {
public:
    explicit VeilFiller(Pixel colour) : half(static_cast<Pixel>((colour & 0xF7DE) >> 1)) {}
    void fill(Pixel* begin, Pixel* end) const override;

private:
    Pixel half;
};

// Lifts each channel to at least the colour's: a twilight or daylight sky over the background.
class LightenFiller final : public SpanFiller {
public:
    explicit LightenFiller(Pixel colour) : colour(colour) {}
    void fill(Pixel* begin, Pixel* end) const override;

private:
    Pixel colour;
};

} // namespace stellaro
