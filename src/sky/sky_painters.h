#pragma once
#include "skin/surface/pixel.h"
#include "skin/surface/span_painter.h"

#include <cstdint>
#include <memory>

namespace stellaro {

// The sky's own blends. The star painter turns a sprite's red channel into the brightness of
// the star's colour: strength 256 draws the whole disc, larger strengths shrink and dim it,
// since only sprite pixels brighter than 255 - 255 x 256 / strength remain.
class StarPainter final : public SpanPainter {
public:
    StarPainter(int32_t strength, uint8_t red, uint8_t green, uint8_t blue) : k(strength), r(red), g(green), b(blue) {}

    Pixel apply(Pixel d, Pixel s) const
    {
        const int32_t v = (s >> 8) & 0xF8;
        const int32_t level = 255 - (((255 - v) * k) >> 8);
        if (level <= 0)
            return d;
        const auto l = static_cast<uint32_t>(level);
        return static_cast<Pixel>(d | ((r * l) & 0xF800u) | (((g * l) >> 5) & 0x07E0u) | ((b * l) >> 11));
    }

    void paint(Pixel* dst, Pixel* end, const Pixel* src, int32_t row) const override;
    void paint_scaled(Pixel* dst, Pixel* end, const Pixel* src_row, uint32_t x_fixed, uint32_t x_step,
                      int32_t src_y) const override;
    void paint_magnified(Pixel* dst, const Pixel* src_row, int32_t start, int32_t count, int32_t shift) const override;
    void paint_magnified_wrapped(Pixel* dst, const Pixel* src_row, int32_t start, int32_t count, int32_t shift,
                                 int32_t wrap_from, int32_t wrap_to) const override;
    std::unique_ptr<SpanPainter> clone() const override { return std::make_unique<StarPainter>(*this); }

private:
    int32_t k;
    uint32_t r, g, b;
};

// The Moon's phase: lit pixels are tinted by factor (255 full, 128 below the horizon), the dark
// part by 50. centre is half the picture's height, quarter the phase angle / 90 and half_width
// the half width of the terminator ellipse. The rule needs the source column and row, which
// scaled drawing (RenderSurface::draw_scaled) gives; the other entries count columns from the
// start of the span.
class PhasePainter final : public SpanPainter {
public:
    PhasePainter(int32_t factor, int32_t centre, int32_t quarter, int32_t half_width)
        : f(factor), c(centre), q(quarter), w(half_width)
    {
    }

    Pixel apply(Pixel d, Pixel s, int32_t x, int32_t y) const;

    void paint(Pixel* dst, Pixel* end, const Pixel* src, int32_t row) const override;
    void paint_scaled(Pixel* dst, Pixel* end, const Pixel* src_row, uint32_t x_fixed, uint32_t x_step,
                      int32_t src_y) const override;
    void paint_magnified(Pixel* dst, const Pixel* src_row, int32_t start, int32_t count, int32_t shift) const override;
    void paint_magnified_wrapped(Pixel* dst, const Pixel* src_row, int32_t start, int32_t count, int32_t shift,
                                 int32_t wrap_from, int32_t wrap_to) const override;
    std::unique_ptr<SpanPainter> clone() const override { return std::make_unique<PhasePainter>(*this); }

private:
    int32_t f, c, q, w;
};

// tint(s; r, g, b) of the sky's blends, each channel scaled by factor / 256.
Pixel sky_tint(Pixel s, uint32_t r, uint32_t g, uint32_t b);
// True when the picture pixel (x, y) is on the lit side for the phase parameters.
bool phase_lit(int32_t x, int32_t y, int32_t centre, int32_t quarter, int32_t half_width);

} // namespace stellaro
