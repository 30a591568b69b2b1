#include "skin/surface/span_filler.h"
#include "skin/surface/span_painter.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace stellaro {

namespace {

// One pixel through the painter's plain row operation.
Pixel over(const SpanPainter& painter, Pixel destination, Pixel source)
{
    Pixel d = destination;
    painter.paint(&d, &d + 1, &source, 0);
    return d;
}

// The same pixel pair through all four row operations; they must agree.
Pixel through_all(const SpanPainter& painter, Pixel destination, Pixel source)
{
    const Pixel expected = over(painter, destination, source);
    const Pixel row[4] = {source, source, source, source};
    Pixel d = destination;
    painter.paint_scaled(&d, &d + 1, row, 2 << 10, 1 << 10, 0);
    EXPECT_EQ(d, expected) << "paint_scaled";
    d = destination;
    painter.paint_magnified(&d, row, 3, 1, 1);
    EXPECT_EQ(d, expected) << "paint_magnified";
    d = destination;
    painter.paint_magnified_wrapped(&d, row, 1, 1, 0, 0, 4);
    EXPECT_EQ(d, expected) << "paint_magnified_wrapped";
    return expected;
}

Pixel filled(const SpanFiller& filler, Pixel p)
{
    filler.fill(&p, &p + 1);
    return p;
}

} // namespace

// One destination and source pixel through a painter, and what every row operation must give.
struct BlendCase {
    const char* what;
    std::shared_ptr<const SpanPainter> painter;
    Pixel destination;
    Pixel source;
    Pixel expected;
};

// The program's shared painters, held without being owned.
std::shared_ptr<const SpanPainter> shared(const SpanPainter& painter)
{
    return std::shared_ptr<const SpanPainter>(&painter, [](const SpanPainter*) {});
}

TEST(BlendFamilies, EveryRowOperationGivesTheFamilysPixel)
{
    // Tinted lighten: blue bits 31 give 31 << 10 = 31744 in every channel; the top green bits
    // (0xF8 after the shift) times 300 saturate the third channel.
    const Pixel lighten_blue = (31744 & 0xF800) | ((31744 >> 5) & 0x07E0) | (31744 >> 11);
    const Pixel lighten_green = (((100 * 0xF8) >> 5) & 0x07E0) | (65025 >> 11);
    const std::shared_ptr<const SpanPainter> half_tint = tint_painter(128, 128, 128);
    const std::shared_ptr<const SpanPainter> full_tint = tint_painter(256, 256, 256);
    const std::shared_ptr<const SpanPainter> tinted_lighten = tinted_lighten_painter(0, 100, 300);
    const BlendCase cases[] = {
        {"key: hole", shared(colour_key_painter()), 0x1234, TRANSPARENT_KEY, 0x1234},
        {"key: copy", shared(colour_key_painter()), 0x1234, 0x0001, 0x0001},
        {"key: next to the key", shared(colour_key_painter()), 0x1234, 0xF81E, 0xF81E},
        {"half: black", shared(add_half_painter()), 0xFFFF, 0x0000, 0x7BEF},
        {"half: hole", shared(add_half_painter()), 0xFFFF, TRANSPARENT_KEY, 0xFFFF},
        {"half: opaque", shared(add_half_painter()), 0xFFFF, 0x0020, 0x0020},
        {"half: partial", shared(add_half_painter()), 0x8410, 0x0801, 0x0801 + 0x4208},
        {"quarter: black", shared(add_quarter_painter()), 0xFFFF, 0x0000, (0xFFFF & 0xE79F) >> 2},
        {"quarter: opaque", shared(add_quarter_painter()), 0xFFFF, 0x0061, 0x0061},
        {"three quarters: black", shared(add_three_quarters_painter()), 0xFFFF, 0x0000, 0x7BEF + 0x39E7},
        {"three quarters: hole", shared(add_three_quarters_painter()), 0x1234, TRANSPARENT_KEY, 0x1234},
        // A partial source adds to the scaled destination, carries out of bit 15 being lost.
        {"three quarters: carry", shared(add_three_quarters_painter()), 0xFFFF, 0x8000,
         static_cast<Pixel>(0x8000 + 0x7BEF + 0x39E7)},
        {"opaque only: flagged", shared(opaque_only_painter()), 0x1234, 0x0020, 0x0020},
        {"opaque only: partial", shared(opaque_only_painter()), 0x1234, 0x001F, 0x1234},
        {"opaque only: hole", shared(opaque_only_painter()), 0x1234, TRANSPARENT_KEY, 0x1234},
        {"opaque only: flagged magenta", shared(opaque_only_painter()), 0x1234, 0xF83F, 0xF83F},
        {"change mark: same", shared(change_mark_painter()), 0x1234, 0x1234, 0x1234},
        {"change mark: changed", shared(change_mark_painter()), 0x1234, 0x1235, 0x1235 | 0x20},
        {"change mark: black", shared(change_mark_painter()), 0x1234, 0x0000, 0x0020},
        {"plain copy: key too", shared(plain_copy_painter()), 0x1234, TRANSPARENT_KEY, TRANSPARENT_KEY},
        {"or", shared(or_painter()), 0x1200, 0x0034, 0x1234},
        {"tint: half", half_tint, 0x1234, 0xFFFF, 0x7BEF},
        {"tint: no key test", half_tint, 0x1234, TRANSPARENT_KEY, 0x780F},
        {"tint: red only", tint_painter(256, 0, 0), 0, 0xFFFF, 0xF800},
        {"tint: full white", full_tint, 0, 0xFFFF, 0xFFFF},
        {"tint: full colour", full_tint, 0, 0x1234, 0x1234},
        {"tint or keep: black tint keeps", tint_or_keep_painter(256, 0, 0), 0x1234, 0x07FF, 0x1234},
        {"tint or keep: red", tint_or_keep_painter(256, 0, 0), 0x1234, 0xF800, 0xF800},
        {"tint or", tint_or_painter(256, 256, 256), 0x1200, 0x0034, 0x1234},
        {"adjustable: plain add", adjustable_add_painter(0x100), 0x0801, 0x0802, 0x1003},
        {"adjustable: half", adjustable_add_painter(0x80), 0xFFFF, 0x0000, 0x7BEF},
        {"adjustable: quarter", adjustable_add_painter(0x40), 0xFFFF, 0x0000, 0x39E7},
        {"adjustable: three quarters", adjustable_add_painter(0xC0), 0xFFFF, 0x0000, 0x7BEF + 0x39E7},
        {"adjustable: hole", adjustable_add_painter(0x1C0), 0x1234, TRANSPARENT_KEY, 0x1234},
        {"adjustable: opaque", adjustable_add_painter(0x1C0), 0x1234, 0x0020, 0x0020},
        // A black source keeps the destination scaled by 255/256 (k = 255), which drops a unit in
        // channels whose widened value is small; pure red over blue scales blue by k = 0.
        {"lighten: white", shared(lighten_painter()), 0x1234, 0xFFFF, 0xFFFF},
        {"lighten: black over white", shared(lighten_painter()), 0xFFFF, 0x0000, 0xFFFF},
        {"lighten: black over colour", shared(lighten_painter()), 0x1234, 0x0000, 0x0A34},
        {"lighten: red over blue", shared(lighten_painter()), 0x001F, 0xF800, 0xF800},
        {"lighten: grey over white", shared(lighten_painter()), 0xFFFF, 0x8410, 0xFFFF},
        {"tinted lighten: blue", tinted_lighten, 0x0000, 0x001F, lighten_blue},
        {"tinted lighten: green", tinted_lighten, 0x0000, 0x07C0, lighten_green},
    };
    for (const BlendCase& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(through_all(*c.painter, c.destination, c.source), c.expected);
    }
}

TEST(AlphaPainter, FiveStepsOfAlpha)
{
    const Pixel d = 0xFFFF, s = 0x0000;
    EXPECT_EQ(over(*alpha_painter(-5), d, s), over(colour_key_painter(), d, s));
    EXPECT_EQ(over(*alpha_painter(63), d, s), over(colour_key_painter(), d, s));
    EXPECT_EQ(over(*alpha_painter(64), d, s), over(add_quarter_painter(), d, s));
    EXPECT_EQ(over(*alpha_painter(128), d, s), over(add_half_painter(), d, s));
    EXPECT_EQ(over(*alpha_painter(255), d, s), over(add_three_quarters_painter(), d, s));
    EXPECT_EQ(over(*alpha_painter(256), d, s), over(opaque_only_painter(), d, s));
    EXPECT_EQ(over(*alpha_painter(100000), d, s), over(opaque_only_painter(), d, s));
}

TEST(PainterRows, ClonesKeepTheirParameters)
{
    const auto tint = tint_painter(128, 128, 128);
    const auto copy = tint->clone();
    EXPECT_EQ(over(*copy, 0, 0xFFFF), 0x7BEF);
    const auto reference = alpha_painter(128);
    EXPECT_EQ(over(*reference->clone(), 0xFFFF, 0x0000), 0x7BEF);
}

TEST(PainterRows, ScaledMagnifiedAndWrappedColumns)
{
    const Pixel source[5] = {10, 11, 12, 13, 14};
    std::vector<Pixel> row(8, 0);
    plain_copy_painter().paint_scaled(row.data(), row.data() + 5, source, 0, 1024 / 2, 0);
    EXPECT_EQ(row, (std::vector<Pixel>{10, 10, 11, 11, 12, 0, 0, 0}));
    row.assign(8, 0);
    plain_copy_painter().paint_magnified(row.data(), source, 1, 6, 1);
    EXPECT_EQ(row, (std::vector<Pixel>{10, 11, 11, 12, 12, 13, 0, 0}));
    row.assign(8, 0);
    plain_copy_painter().paint_magnified_wrapped(row.data(), source, 2, 8, 0, 1, 4);
    EXPECT_EQ(row, (std::vector<Pixel>{12, 13, 11, 12, 13, 11, 12, 13}));
}

TEST(DimFiller, LevelsFromTheTable)
{
    const Pixel white = 0xFFFF;
    EXPECT_EQ(filled(*dim_filler(7), white), 0);      // level 0
    EXPECT_EQ(filled(*dim_filler(8), white), 0x0861); // level 1: A4
    EXPECT_EQ(filled(*dim_filler(255), white), white);
    EXPECT_EQ(filled(*dim_filler(1000), white), white);
    EXPECT_EQ(filled(*dim_filler(-100), white), 0);
    const Pixel p = 0xFFFF;
    const Pixel a1 = (p >> 1) & 0x7BEF, a2 = (p >> 2) & 0x39E7, a3 = (p >> 3) & 0x18E3, a4 = (p >> 4) & 0x0861;
    const Pixel expected[17] = {0,
                                a4,
                                a3,
                                static_cast<Pixel>(a2 - a4),
                                a2,
                                static_cast<Pixel>(a4 + a2 + 0x0861),
                                static_cast<Pixel>(a1 - a3),
                                static_cast<Pixel>(a1 - a4),
                                a1,
                                static_cast<Pixel>(a4 + a1 + 0x0861),
                                static_cast<Pixel>(a3 + a1 + 0x0861),
                                static_cast<Pixel>(a4 + a3 + a1 + 0x0861),
                                static_cast<Pixel>(p - a2),
                                static_cast<Pixel>(a4 - a2 + p),
                                static_cast<Pixel>(p - a3),
                                static_cast<Pixel>(p - a4),
                                p};
    for (int k = 0; k <= 16; ++k)
        EXPECT_EQ(filled(*dim_filler(k * 16), p), expected[k]) << "level " << k;
    // Level 8 halves every channel: pure red 31 becomes 15.
    EXPECT_EQ(filled(*dim_filler(128), 0xF800), 15 << 11);
}

TEST(DimFiller, PairsAndSinglesAgree)
{
    // Aligned pairs and the unaligned single pixels at either end give the same results.
    alignas(4) Pixel row[9];
    const Pixel values[9] = {0xFFFF, 0x1234, 0xF81F, 0x07E0, 0x8410, 0x001F, 0xABCD, 0x0861, 0x7BEF};
    for (int level = 0; level <= 255; level += 17) {
        const auto filler = dim_filler(level);
        std::copy(values, values + 9, row);
        filler->fill(row + 1, row + 8);
        for (int i = 1; i < 8; ++i)
            EXPECT_EQ(row[i], filled(*filler, values[i])) << "level " << level << " pixel " << i;
        EXPECT_EQ(row[0], values[0]);
        EXPECT_EQ(row[8], values[8]);
    }
}

TEST(SolidFiller, FillsUnalignedSpansExactly)
{
    alignas(4) Pixel row[7] = {1, 1, 1, 1, 1, 1, 1};
    SolidFiller(Colour{255, 0, 255}).fill(row + 1, row + 6);
    EXPECT_EQ(std::vector<Pixel>(row, row + 7), (std::vector<Pixel>{1, 0xF81F, 0xF81F, 0xF81F, 0xF81F, 0xF81F, 1}));
}

} // namespace stellaro
