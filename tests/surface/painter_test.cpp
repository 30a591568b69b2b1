// What every painter draws over a background is pinned by the golden pictures; these cases cover
// what they do not reach: the other row operations, clones, parameter edges and unaligned spans.
#include "skin/surface/span_filler.h"
#include "skin/surface/span_painter.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace stellaro {

namespace {

// Destination and source pairs: plain, flagged, partial, the key and its neighbour, carries.
const Pixel PAIRS[][2] = {{0x1234, 0x0001}, {0xFFFF, 0x0000}, {0x8410, 0x0801}, {0x1234, TRANSPARENT_KEY},
                          {0x1234, 0xF81E}, {0xFFFF, 0x8000}, {0x1234, 0xF83F}, {0x001F, 0xF800},
                          {0x1234, 0x1234}, {0x0000, 0x07C0}, {0xFFFF, 0x0020}, {0x0861, 0xFFFF}};

Pixel over(const SpanPainter& painter, Pixel destination, Pixel source)
{
    painter.paint(&destination, &destination + 1, &source, 0);
    return destination;
}

} // namespace

TEST(BlendFamilies, ScaledMagnifiedWrappedAndClonedRowsGiveThePlainRowsPixel)
{
    const std::unique_ptr<SpanPainter> made[] = {
        tint_painter(128, 128, 128),  tint_painter(256, 0, 0),          tint_or_keep_painter(256, 0, 0),
        tint_or_painter(256, 256, 256), adjustable_add_painter(0x100),  adjustable_add_painter(0x1C0),
        tinted_lighten_painter(0, 100, 300), alpha_painter(128),        reference_painter(add_half_painter()),
        coverage_tint_painter(Colour{0xE8, 0xEE, 0xF8, 255})};
    std::vector<const SpanPainter*> painters = {&colour_key_painter(),  &add_quarter_painter(),
                                                &add_half_painter(),    &add_three_quarters_painter(),
                                                &opaque_only_painter(), &plain_copy_painter(),
                                                &or_painter(),          &change_mark_painter(),
                                                &lighten_painter()};
    for (const auto& painter : made)
        painters.push_back(painter.get());
    for (size_t i = 0; i < painters.size(); ++i) {
        const SpanPainter& painter = *painters[i];
        const std::unique_ptr<SpanPainter> clone = painter.clone();
        for (const auto& [destination, source] : PAIRS) {
            SCOPED_TRACE(testing::Message() << "painter " << i << ", " << destination << " under " << source);
            const Pixel expected = over(painter, destination, source);
            const Pixel row[4] = {source, source, source, source};
            Pixel d = destination;
            painter.paint_scaled(&d, &d + 1, row, 2 << 10, 1 << 10, 0);
            EXPECT_EQ(d, expected) << "scaled";
            d = destination;
            painter.paint_magnified(&d, row, 3, 1, 1);
            EXPECT_EQ(d, expected) << "magnified";
            d = destination;
            painter.paint_magnified_wrapped(&d, row, 1, 1, 0, 0, 4);
            EXPECT_EQ(d, expected) << "wrapped";
            EXPECT_EQ(over(*clone, destination, source), expected) << "clone";
        }
    }
}

TEST(BlendFamilies, OutOfRangeAlphaAndAddLevelsClampToTheFixedFamilies)
{
    const struct {
        std::unique_ptr<SpanPainter> made;
        const SpanPainter& same_as;
    } cases[] = {
        {alpha_painter(-5), colour_key_painter()},          {alpha_painter(63), colour_key_painter()},
        {alpha_painter(64), add_quarter_painter()},         {alpha_painter(255), add_three_quarters_painter()},
        {alpha_painter(100000), opaque_only_painter()},     {adjustable_add_painter(0x40), add_quarter_painter()},
    };
    for (size_t i = 0; i < std::size(cases); ++i)
        for (const auto& [destination, source] : PAIRS)
            EXPECT_EQ(over(*cases[i].made, destination, source), over(cases[i].same_as, destination, source))
                << "case " << i << ", " << destination << " under " << source;
}

TEST(CoverageTint, FullCoverPaintsTheTintNoneKeepsTheDestinationAndPartsMix)
{
    const std::unique_ptr<SpanPainter> accent = coverage_tint_painter(Colour{0x5A, 0xA9, 0xFF, 255});
    const Pixel tint = rgb565(0x5A, 0xA9, 0xFF);
    const Pixel sky = rgb565(0x0B, 0x14, 0x26);
    // Coverage as grey, as the icon builder writes it; at night only red is left of it.
    const Pixel full = 0xFFFF, night_full = 0xF820, half = 16 << 11 | 16 << 6 | 16;
    EXPECT_EQ(over(*accent, sky, full), tint);
    EXPECT_EQ(over(*accent, sky, night_full), tint);
    EXPECT_EQ(over(*accent, sky, TRANSPARENT_KEY), sky);
    EXPECT_EQ(over(*accent, sky, 0x0000), sky);
    const Pixel mixed = over(*accent, sky, half);
    EXPECT_GT(red_of(mixed), red_of(sky));
    EXPECT_LT(red_of(mixed), red_of(tint));
    EXPECT_GT(blue_of(mixed), blue_of(sky));
    EXPECT_LT(blue_of(mixed), blue_of(tint));
}

TEST(PainterRows, ScaledMagnifiedAndWrappedRowsPickTheRightSourceColumns)
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

TEST(Fillers, UnalignedSpansStopAtTheirEndsAndDimLevelsClamp)
{
    const Pixel values[9] = {0xFFFF, 0x1234, 0xF81F, 0x07E0, 0x8410, 0x001F, 0xABCD, 0x0861, 0x7BEF};
    for (const int level : {-100, 7, 100, 1000}) {
        const auto filler = dim_filler(level);
        alignas(4) Pixel row[9];
        std::copy(values, values + 9, row);
        filler->fill(row + 1, row + 8);
        EXPECT_EQ(row[0], values[0]);
        EXPECT_EQ(row[8], values[8]);
        for (int i = 1; i < 8; ++i) {
            Pixel alone = values[i];
            filler->fill(&alone, &alone + 1);
            EXPECT_EQ(row[i], alone) << "level " << level << " pixel " << i;
            // Below one sixteenth everything goes black; beyond the full level nothing changes.
            if (level < 16 || level >= 256) {
                EXPECT_EQ(alone, level < 16 ? 0 : values[i]) << "level " << level;
            }
        }
    }
}

} // namespace stellaro
