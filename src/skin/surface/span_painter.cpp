#include "skin/surface/span_painter.h"

#include <algorithm>

namespace stellaro {

namespace {

// The per-pixel rules; every sum is 16-bit, a carry out of bit 15 is lost.
Pixel pixel(uint32_t value) { return static_cast<Pixel>(value); }

struct ColourKeyRule {
    Pixel operator()(Pixel d, Pixel s) const { return s == TRANSPARENT_KEY ? d : s; }
};

struct AddQuarterRule {
    Pixel operator()(Pixel d, Pixel s) const
    {
        if (s == TRANSPARENT_KEY)
            return d;
        return (s & OPAQUE_FLAG) ? s : pixel(s + ((d & 0xE79Fu) >> 2));
    }
};

struct AddHalfRule {
    Pixel operator()(Pixel d, Pixel s) const
    {
        if (s == TRANSPARENT_KEY)
            return d;
        return (s & OPAQUE_FLAG) ? s : pixel(s + ((d & 0xF7DFu) >> 1));
    }
};

struct AddThreeQuartersRule {
    Pixel operator()(Pixel d, Pixel s) const
    {
        if (s == TRANSPARENT_KEY)
            return d;
        const uint32_t h = (d & 0xF7DFu) >> 1;
        return (s & OPAQUE_FLAG) ? s : pixel(s + h + ((h & 0xF7DFu) >> 1));
    }
};

struct OpaqueOnlyRule {
    Pixel operator()(Pixel d, Pixel s) const { return (s != TRANSPARENT_KEY && (s & OPAQUE_FLAG)) ? s : d; }
};

struct ChangeMarkRule {
    Pixel operator()(Pixel d, Pixel s) const { return d != s ? pixel(s | OPAQUE_FLAG) : s; }
};

struct PlainCopyRule {
    static constexpr bool COPIES_SOURCE = true;
    Pixel operator()(Pixel, Pixel s) const { return s; }
};

struct OrRule {
    Pixel operator()(Pixel d, Pixel s) const { return pixel(d | s); }
};

struct TintRule {
    Tint tint;
    Pixel operator()(Pixel, Pixel s) const { return tint(s); }
};

struct TintOrKeepRule {
    Tint tint;
    Pixel operator()(Pixel d, Pixel s) const
    {
        const Pixel t = tint(s);
        return t != 0 ? t : d;
    }
};

struct TintOrRule {
    Tint tint;
    Pixel operator()(Pixel d, Pixel s) const { return pixel(d | tint(s)); }
};

struct AdjustableAddRule {
    uint32_t mode;
    Pixel operator()(Pixel d, Pixel s) const
    {
        if (s == TRANSPARENT_KEY)
            return d;
        if (s & OPAQUE_FLAG)
            return s;
        const uint32_t half = (d & 0xF7DFu) >> 1;
        uint32_t sum = s;
        if (mode & 0x100)
            sum += d;
        if (mode & 0x80)
            sum += half;
        if (mode & 0x40)
            sum += (half & 0xF7DFu) >> 1;
        return pixel(sum);
    }
};

// Channels widened to 8 bits the way the lightening rules expect.
uint32_t wide_red(Pixel p) { return (p >> 11) * 8 | (p >> 11) >> 2; }
uint32_t wide_green(Pixel p) { return ((p >> 5) & 0x3Fu) * 4 | ((p >> 5) & 0x3Fu) >> 3; }
uint32_t wide_blue(Pixel p) { return (p & 0x1Fu) * 8 | (p & 0x1Fu) >> 2; }

// Channels on a 0..65025 scale packed by their top bits.
Pixel pack_wide(uint32_t r, uint32_t g, uint32_t b) { return pixel((r & 0xF800u) | ((g >> 5) & 0x07E0u) | (b >> 11)); }

Pixel lighten(Pixel d, Pixel s)
{
    const uint32_t sr = wide_red(s), sg = wide_green(s), sb = wide_blue(s);
    const uint32_t k = 255 - std::max({sr, sg, sb});
    return pack_wide(std::min(65025u, sr * 255 + k * wide_red(d)), std::min(65025u, sg * 255 + k * wide_green(d)),
                     std::min(65025u, sb * 255 + k * wide_blue(d)));
}

struct LightenRule {
    Pixel operator()(Pixel d, Pixel s) const { return lighten(d, s); }
};

struct TintedLightenRule {
    int32_t factor[3];
    Pixel operator()(Pixel d, Pixel s) const
    {
        const int64_t base = (s & 0x1F) << 10;
        const int64_t scaled = (s >> 3) & 0xF8;
        uint32_t channel[3];
        for (int i = 0; i < 3; ++i)
            channel[i] = static_cast<uint32_t>(std::clamp<int64_t>(base + factor[i] * scaled, 0, 65025));
        return lighten(d, pack_wide(channel[0], channel[1], channel[2]));
    }
};

// The source's red channel is how much of the pixel a shape covers (0..31); the tint colour is
// laid over the destination by that much. Red survives the night conversion of pictures.
struct CoverageTintRule {
    Pixel tint;
    Pixel operator()(Pixel d, Pixel s) const
    {
        if (s == TRANSPARENT_KEY)
            return d;
        const uint32_t cover = s >> 11;
        const uint32_t keep = 31 - cover;
        const uint32_t r = ((d >> 11) * keep + (tint >> 11) * cover + 15) / 31;
        const uint32_t g = (((d >> 5) & 0x3F) * keep + ((tint >> 5) & 0x3F) * cover + 15) / 31;
        const uint32_t b = ((d & 0x1F) * keep + (tint & 0x1F) * cover + 15) / 31;
        return static_cast<Pixel>(r << 11 | g << 5 | b);
    }
};

class ReferencePainter final : public SpanPainter {
public:
    explicit ReferencePainter(const SpanPainter& target) : target(target) {}

    void paint(Pixel* dst, Pixel* end, const Pixel* src, int32_t row) const override { target.paint(dst, end, src, row); }
    void paint_scaled(Pixel* dst, Pixel* end, const Pixel* src_row, uint32_t x_fixed, uint32_t x_step,
                      int32_t src_y) const override
    {
        target.paint_scaled(dst, end, src_row, x_fixed, x_step, src_y);
    }
    void paint_magnified(Pixel* dst, const Pixel* src_row, int32_t start, int32_t count, int32_t shift) const override
    {
        target.paint_magnified(dst, src_row, start, count, shift);
    }
    void paint_magnified_wrapped(Pixel* dst, const Pixel* src_row, int32_t start, int32_t count, int32_t shift,
                                 int32_t wrap_from, int32_t wrap_to) const override
    {
        target.paint_magnified_wrapped(dst, src_row, start, count, shift, wrap_from, wrap_to);
    }
    std::unique_ptr<SpanPainter> clone() const override { return std::make_unique<ReferencePainter>(target); }

private:
    const SpanPainter& target;
};

Tint make_tint(int32_t red, int32_t green, int32_t blue)
{
    return {static_cast<uint16_t>(std::clamp(red, 0, 256)), static_cast<uint16_t>(std::clamp(green, 0, 256)),
            static_cast<uint16_t>(std::clamp(blue, 0, 256))};
}

} // namespace

const SpanPainter& colour_key_painter()
{
    static const RulePainter<ColourKeyRule> painter;
    return painter;
}

const SpanPainter& add_quarter_painter()
{
    static const RulePainter<AddQuarterRule> painter;
    return painter;
}

const SpanPainter& add_half_painter()
{
    static const RulePainter<AddHalfRule> painter;
    return painter;
}

const SpanPainter& add_three_quarters_painter()
{
    static const RulePainter<AddThreeQuartersRule> painter;
    return painter;
}

const SpanPainter& opaque_only_painter()
{
    static const RulePainter<OpaqueOnlyRule> painter;
    return painter;
}

const SpanPainter& plain_copy_painter()
{
    static const RulePainter<PlainCopyRule> painter;
    return painter;
}

const SpanPainter& or_painter()
{
    static const RulePainter<OrRule> painter;
    return painter;
}

const SpanPainter& change_mark_painter()
{
    static const RulePainter<ChangeMarkRule> painter;
    return painter;
}

const SpanPainter& lighten_painter()
{
    static const RulePainter<LightenRule> painter;
    return painter;
}

std::unique_ptr<SpanPainter> alpha_painter(int32_t alpha)
{
    static const SpanPainter* const families[] = {&colour_key_painter(), &add_quarter_painter(), &add_half_painter(),
                                                  &add_three_quarters_painter(), &opaque_only_painter()};
    return reference_painter(*families[std::clamp(alpha / 64, 0, 4)]);
}

std::unique_ptr<SpanPainter> reference_painter(const SpanPainter& target)
{
    return std::make_unique<ReferencePainter>(target);
}

std::unique_ptr<SpanPainter> tint_painter(int32_t red, int32_t green, int32_t blue)
{
    return std::make_unique<RulePainter<TintRule>>(TintRule{make_tint(red, green, blue)});
}

std::unique_ptr<SpanPainter> tint_or_keep_painter(int32_t red, int32_t green, int32_t blue)
{
    return std::make_unique<RulePainter<TintOrKeepRule>>(TintOrKeepRule{make_tint(red, green, blue)});
}

std::unique_ptr<SpanPainter> tint_or_painter(int32_t red, int32_t green, int32_t blue)
{
    return std::make_unique<RulePainter<TintOrRule>>(TintOrRule{make_tint(red, green, blue)});
}

std::unique_ptr<SpanPainter> coverage_tint_painter(Colour tint)
{
    return std::make_unique<RulePainter<CoverageTintRule>>(CoverageTintRule{to_pixel(tint)});
}

std::unique_ptr<SpanPainter> adjustable_add_painter(uint32_t mode)
{
    return std::make_unique<RulePainter<AdjustableAddRule>>(AdjustableAddRule{mode});
}

std::unique_ptr<SpanPainter> tinted_lighten_painter(int32_t f0, int32_t f1, int32_t f2)
{
    return std::make_unique<RulePainter<TintedLightenRule>>(TintedLightenRule{{f0, f1, f2}});
}

} // namespace stellaro
