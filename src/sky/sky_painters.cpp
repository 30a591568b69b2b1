#include "sky/sky_painters.h"

namespace stellaro {

Pixel sky_tint(Pixel s, uint32_t r, uint32_t g, uint32_t b)
{
    const uint32_t r8 = (s >> 8) & 0xF8u;
    const uint32_t g8 = (s >> 3) & 0xFCu;
    const uint32_t b8 = (s & 0x1Fu) * 8;
    return static_cast<Pixel>(((r8 * r) & 0xF800u) | (((g8 * g) >> 5) & 0x07E0u) | ((b8 * b) >> 11));
}

void StarPainter::paint(Pixel* dst, Pixel* end, const Pixel* src, int32_t) const
{
    for (; dst < end; ++dst, ++src)
        *dst = apply(*dst, *src);
}

void StarPainter::paint_scaled(Pixel* dst, Pixel* end, const Pixel* src_row, uint32_t x_fixed, uint32_t x_step,
                               int32_t) const
{
    for (; dst < end; ++dst, x_fixed += x_step)
        *dst = apply(*dst, src_row[x_fixed >> 10]);
}

void StarPainter::paint_magnified(Pixel* dst, const Pixel* src_row, int32_t start, int32_t count, int32_t shift) const
{
    for (int32_t i = 0; i < count; ++i)
        dst[i] = apply(dst[i], src_row[(start + i) >> shift]);
}

void StarPainter::paint_magnified_wrapped(Pixel* dst, const Pixel* src_row, int32_t start, int32_t count, int32_t shift,
                                          int32_t wrap_from, int32_t wrap_to) const
{
    int32_t column = start;
    for (int32_t i = 0; i < count; ++i, ++column) {
        if (column >= wrap_to)
            column = wrap_from;
        dst[i] = apply(dst[i], src_row[column >> shift]);
    }
}

Pixel PhasePainter::apply(Pixel d, Pixel s, int32_t x, int32_t y) const
{
    if (s == TRANSPARENT_KEY)
        return d;
    const auto factor = static_cast<uint32_t>(f);
    return phase_lit(x, y, c, q, w) ? sky_tint(s, factor, factor, factor) : sky_tint(s, 50, 50, 50);
}

void PhasePainter::paint(Pixel* dst, Pixel* end, const Pixel* src, int32_t row) const
{
    for (int32_t x = 0; dst < end; ++dst, ++src, ++x)
        *dst = apply(*dst, *src, x, row);
}

void PhasePainter::paint_scaled(Pixel* dst, Pixel* end, const Pixel* src_row, uint32_t x_fixed, uint32_t x_step,
                                int32_t src_y) const
{
    for (; dst < end; ++dst, x_fixed += x_step) {
        const auto x = static_cast<int32_t>(x_fixed >> 10);
        *dst = apply(*dst, src_row[x], x, src_y);
    }
}

void PhasePainter::paint_magnified(Pixel* dst, const Pixel* src_row, int32_t start, int32_t count, int32_t shift) const
{
    for (int32_t i = 0; i < count; ++i)
        dst[i] = apply(dst[i], src_row[(start + i) >> shift], (start + i) >> shift, 0);
}

void PhasePainter::paint_magnified_wrapped(Pixel* dst, const Pixel* src_row, int32_t start, int32_t count, int32_t shift,
                                           int32_t wrap_from, int32_t wrap_to) const
{
    int32_t column = start;
    for (int32_t i = 0; i < count; ++i, ++column) {
        if (column >= wrap_to)
            column = wrap_from;
        dst[i] = apply(dst[i], src_row[column >> shift], column >> shift, 0);
    }
}

bool phase_lit(int32_t x, int32_t y, int32_t c, int32_t q, int32_t w)
{
    if (w <= 0)
        w = 1;
    const int64_t dx = x - c, dy = y - c, c2 = static_cast<int64_t>(c) * c;
    const int64_t e = dx * dx * c2 / (static_cast<int64_t>(w) * w) + dy * dy;
    switch (q) {
    case 0:
        return x >= c || e < c2;
    case 1:
        return x >= c && e > c2;
    case 2:
        return x <= c && e > c2;
    case 3:
        return x <= c || e < c2;
    default:
        return true;
    }
}

} // namespace stellaro
