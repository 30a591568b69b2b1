#pragma once
#include "skin/surface/pixel.h"

#include <cstdint>
#include <cstring>
#include <memory>
#include <type_traits>

namespace stellaro {

// Combines source pixels into a destination row. One object applies one fixed per-pixel rule,
// so the inner loops never branch on a blend mode.
class SpanPainter {
public:
    virtual ~SpanPainter() = default;

    // Each destination pixel in [dst_begin, dst_end) takes the next source pixel. row is the
    // destination row within the blit (0 for the first); position-dependent rules use it.
    virtual void paint(Pixel* dst_begin, Pixel* dst_end, const Pixel* src, int32_t row) const = 0;
    // The i-th destination pixel takes source column (x_fixed + i * x_step) >> 10 of src_row.
    virtual void paint_scaled(Pixel* dst_begin, Pixel* dst_end, const Pixel* src_row, uint32_t x_fixed,
                              uint32_t x_step, int32_t src_y) const = 0;
    // count pixels; the i-th takes source column (start + i) >> shift (replication by 2^shift).
    virtual void paint_magnified(Pixel* dst, const Pixel* src_row, int32_t start, int32_t count,
                                 int32_t shift) const = 0;
    // As paint_magnified, but the running counter jumps back to wrap_from on reaching wrap_to,
    // repeating a pattern. Requires wrap_from < wrap_to.
    virtual void paint_magnified_wrapped(Pixel* dst, const Pixel* src_row, int32_t start, int32_t count,
                                         int32_t shift, int32_t wrap_from, int32_t wrap_to) const = 0;
    virtual std::unique_ptr<SpanPainter> clone() const = 0;
};

// Each channel of a pixel scaled by a factor on a 0..256 scale (256 keeps it).
struct Tint {
    uint16_t red;
    uint16_t green;
    uint16_t blue;

    // Every product stays below 65536 for factors up to 256, so the sums run in 16 bits
    // (which lets the row loops use 16-bit vector multiplies).
    Pixel operator()(Pixel s) const
    {
        const auto r = static_cast<uint16_t>(static_cast<uint16_t>(((s >> 8) & 0xF8) * red) & 0xF800);
        const auto g = static_cast<uint16_t>((static_cast<uint16_t>(((s >> 3) & 0xFC) * green) >> 5) & 0x07E0);
        const auto b = static_cast<uint16_t>(static_cast<uint16_t>((s & 0x1F) * 8 * blue) >> 11);
        return static_cast<Pixel>(r | g | b);
    }
};

// A painter made of a per-pixel rule: rule(d, s) gives the new destination pixel. A rule that
// depends on where the pixel comes from takes rule(d, s, x, y) instead: x is the source column
// (counted from the start of the span by paint), y the row paint is given, the source row for
// paint_scaled and 0 for the magnified entries. A rule that always gives the source pixel says
// so with `static constexpr bool COPIES_SOURCE = true`, and its unscaled rows become one memmove.
template <typename Rule>
class RulePainter final : public SpanPainter {
public:
    explicit RulePainter(Rule rule = {}) : rule(rule) {}

    void paint(Pixel* dst, Pixel* end, const Pixel* src, int32_t row) const override
    {
        if constexpr (COPIES_SOURCE) {
            if (end > dst)
                std::memmove(dst, src, static_cast<size_t>(end - dst) * sizeof(Pixel));
        } else if constexpr (PLACED) {
            for (int32_t x = 0; dst < end; ++dst, ++src, ++x)
                *dst = rule(*dst, *src, x, row);
        } else {
            for (; dst < end; ++dst, ++src)
                *dst = rule(*dst, *src);
        }
    }

    void paint_scaled(Pixel* dst, Pixel* end, const Pixel* src_row, uint32_t x_fixed, uint32_t x_step,
                      int32_t src_y) const override
    {
        for (; dst < end; ++dst, x_fixed += x_step) {
            if constexpr (PLACED) {
                const auto x = static_cast<int32_t>(x_fixed >> 10);
                *dst = rule(*dst, src_row[x], x, src_y);
            } else {
                *dst = rule(*dst, src_row[x_fixed >> 10]);
            }
        }
    }

    void paint_magnified(Pixel* dst, const Pixel* src_row, int32_t start, int32_t count, int32_t shift) const override
    {
        for (int32_t i = 0; i < count; ++i)
            dst[i] = apply(dst[i], src_row, (start + i) >> shift);
    }

    void paint_magnified_wrapped(Pixel* dst, const Pixel* src_row, int32_t start, int32_t count, int32_t shift,
                                 int32_t wrap_from, int32_t wrap_to) const override
    {
        int32_t column = start;
        for (int32_t i = 0; i < count; ++i, ++column) {
            if (column >= wrap_to)
                column = wrap_from;
            dst[i] = apply(dst[i], src_row, column >> shift);
        }
    }

    std::unique_ptr<SpanPainter> clone() const override { return std::make_unique<RulePainter>(rule); }

private:
    static constexpr bool PLACED = std::is_invocable_v<const Rule&, Pixel, Pixel, int32_t, int32_t>;
    static constexpr bool COPIES_SOURCE = requires { requires Rule::COPIES_SOURCE; };

    Pixel apply(Pixel d, const Pixel* src_row, int32_t x) const
    {
        if constexpr (PLACED)
            return rule(d, src_row[x], x, 0);
        else
            return rule(d, src_row[x]);
    }

    Rule rule;
};

// The shared painters; they live for the whole program.
const SpanPainter& colour_key_painter();         // s == key ? d : s
const SpanPainter& add_quarter_painter();        // partial pixels over 1/4 of the destination
const SpanPainter& add_half_painter();           // ... over 1/2
const SpanPainter& add_three_quarters_painter(); // ... over 3/4
const SpanPainter& opaque_only_painter();        // only flagged, non-key pixels
const SpanPainter& plain_copy_painter();         // s
const SpanPainter& or_painter();                 // d | s
const SpanPainter& change_mark_painter();        // s, flagged where it changed d
const SpanPainter& lighten_painter();            // screen-like lightening by the source

// alpha on a 0..256 scale in five steps: colour key, 1/4, 1/2, 3/4 blends, opaque only.
std::unique_ptr<SpanPainter> alpha_painter(int32_t alpha);
// Forwards everything to target, which must outlive it.
std::unique_ptr<SpanPainter> reference_painter(const SpanPainter& target);
// Channel factors on a 0..256 scale (clamped); no transparency test.
std::unique_ptr<SpanPainter> tint_painter(int32_t red, int32_t green, int32_t blue);
// The tinted pixel where it is not black, else the destination.
std::unique_ptr<SpanPainter> tint_or_keep_painter(int32_t red, int32_t green, int32_t blue);
// d | tint(s).
std::unique_ptr<SpanPainter> tint_or_painter(int32_t red, int32_t green, int32_t blue);
// Coverage pictures (icons): the source's red channel says how much of the tint colour covers
// the destination, 0 none to 31 all; the transparent key keeps the destination.
std::unique_ptr<SpanPainter> coverage_tint_painter(Colour tint);
// Partial pixels added over the destination scaled by the mode bits 0x100 (1), 0x80 (1/2), 0x40 (1/4).
std::unique_ptr<SpanPainter> adjustable_add_painter(uint32_t mode);
// Lighten with a colour built from the source's blue and green bits and three factors.
std::unique_ptr<SpanPainter> tinted_lighten_painter(int32_t f0, int32_t f1, int32_t f2);

} // namespace stellaro
