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

Pixel filled(const SpanFiller& filler, Pixel p)
{
    filler.fill(&p, &p + 1);
    return p;
}

} // namespace

TEST(BlendFamilies, ScaledMagnifiedWrappedAndClonedRowsGiveThePlainRowsPixel)
{
    const std::unique_ptr<SpanPainter> made[] = {
        tint_painter(128, 128, 128),  tint_painter(256, 0, 0),          tint_or_keep_painter(256, 0, 0),
        tint_or_painter(256, 256, 256), adjustable_add_painter(0x100),  adjustable_add_painter(0x1C0),
        tinted_lighten_painter(0, 100, 300), alpha_painter(128),        reference_painter(add_half_painter())};
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

TEST(BlendFamilies, KeyNeighboursCarriesAndUnchangedPixels)
{
    const struct {
        const char* what;
        const SpanPainter& painter;
        Pixel destination, source, expected;
    } cases[] = {
        {"the key's neighbour is copied", colour_key_painter(), 0x1234, 0xF81E, 0xF81E},
        {"a flagged key colour is no key", opaque_only_painter(), 0x1234, 0xF83F, 0xF83F},
        {"an unflagged pixel is no opaque one", opaque_only_painter(), 0x1234, 0x001F, 0x1234},
        {"a carry out of the top bit is lost", add_three_quarters_painter(), 0xFFFF, 0x8000,
         static_cast<Pixel>(0x8000 + 0x7BEF + 0x39E7)},
        {"an unchanged pixel is not marked", change_mark_painter(), 0x1234, 0x1234, 0x1234},
        {"a changed pixel is marked", change_mark_painter(), 0x1234, 0x1235, 0x1235 | OPAQUE_FLAG},
    };
    for (const auto& c : cases)
        EXPECT_EQ(over(c.painter, c.destination, c.source), c.expected) << c.what;
}

TEST(BlendFamilies, AlphaAndAdjustableModesPickTheFixedFamiliesAtTheirEdges)
{
    const struct {
        std::unique_ptr<SpanPainter> made;
        const SpanPainter& same_as;
    } cases[] = {
        {alpha_painter(-5), colour_key_painter()},          {alpha_painter(63), colour_key_painter()},
        {alpha_painter(64), add_quarter_painter()},         {alpha_painter(128), add_half_painter()},
        {alpha_painter(255), add_three_quarters_painter()}, {alpha_painter(256), opaque_only_painter()},
        {alpha_painter(100000), opaque_only_painter()},     {adjustable_add_painter(0x40), add_quarter_painter()},
        {adjustable_add_painter(0x80), add_half_painter()}, {adjustable_add_painter(0xC0), add_three_quarters_painter()},
    };
    for (size_t i = 0; i < std::size(cases); ++i)
        for (const auto& [destination, source] : PAIRS)
            EXPECT_EQ(over(*cases[i].made, destination, source), over(cases[i].same_as, destination, source))
                << "case " << i << ", " << destination << " under " << source;
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

TEST(DimFiller, EachLevelScalesEveryChannelByAboutItsSixteenth)
{
    // About k/16: never as far off as the neighbouring level's share of the channel's range.
    for (const Pixel p : {0xFFFF, 0x8410, 0x1234, 0xF800, 0x07E0, 0x001F, 0xABCD}) {
        for (int k = 0; k <= 16; ++k) {
            const Pixel dimmed = filled(*dim_filler(k * 16), p);
            const int channels[3][3] = {{p >> 11, dimmed >> 11, 31},
                                        {(p >> 5) & 0x3F, (dimmed >> 5) & 0x3F, 63},
                                        {p & 0x1F, dimmed & 0x1F, 31}};
            for (const auto& [full, scaled, range] : channels)
                EXPECT_LT(std::abs(16 * scaled - k * full), range) << "pixel " << p << ", level " << k;
        }
    }
    // Levels are alpha / 16, clamped.
    EXPECT_EQ(filled(*dim_filler(-100), 0xFFFF), 0);
    EXPECT_EQ(filled(*dim_filler(7), 0xFFFF), 0);
    EXPECT_EQ(filled(*dim_filler(8), 0xFFFF), filled(*dim_filler(16), 0xFFFF));
    EXPECT_EQ(filled(*dim_filler(1000), 0x1234), 0x1234);
}

TEST(Fillers, UnalignedSpansAndTheirPairedMiddlesAgree)
{
    const Pixel values[9] = {0xFFFF, 0x1234, 0xF81F, 0x07E0, 0x8410, 0x001F, 0xABCD, 0x0861, 0x7BEF};
    for (int level = 0; level <= 255; level += 17) {
        const auto filler = dim_filler(level);
        alignas(4) Pixel row[9];
        std::copy(values, values + 9, row);
        filler->fill(row + 1, row + 8);
        EXPECT_EQ(row[0], values[0]);
        EXPECT_EQ(row[8], values[8]);
        for (int i = 1; i < 8; ++i)
            EXPECT_EQ(row[i], filled(*filler, values[i])) << "level " << level << " pixel " << i;
    }
    alignas(4) Pixel row[7] = {1, 1, 1, 1, 1, 1, 1};
    SolidFiller(Colour{255, 0, 255}).fill(row + 1, row + 6);
    EXPECT_EQ(std::vector<Pixel>(row, row + 7), (std::vector<Pixel>{1, 0xF81F, 0xF81F, 0xF81F, 0xF81F, 0xF81F, 1}));
}

} // namespace stellaro
