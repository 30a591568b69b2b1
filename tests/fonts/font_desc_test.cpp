#include "fonts/font_desc.h"
#include "fonts/font_layout.h"

#include <gtest/gtest.h>

namespace stellaro {

namespace {

FontDesc font(int32_t size, uint8_t bold, uint8_t italic, uint8_t underline, std::u16string face)
{
    return FontDesc{size, 2, bold, italic, underline, std::move(face)};
}

TEST(FontDescText, FieldsThenTheRestAsFaceAndAFailureKeepsWhatWasRead)
{
    const FontDesc unchanged = default_font_desc(2);
    const struct {
        const char16_t* text;
        bool read;
        FontDesc expected;
    } cases[] = {
        {u"10 1 0 0 Tahoma", true, font(10, 1, 0, 0, u"Tahoma")},
        {u"12 0 0 0 Courier New", true, font(12, 0, 0, 0, u"Courier New")},
        {u"\t+9  0 7\n-1   DejaVu Sans Mono \r\n", true, font(9, 0, 1, 1, u"DejaVu Sans Mono")},
        {u"8 0 0 0", true, font(8, 0, 0, 0, u"")},
        {u"14 1 x 0 Arial", false, font(14, 1, 0, 0, u"Tahoma")},
        {u"", false, unchanged},
        {u"- 1 1 1 Arial", false, unchanged},
        {u"99999999999 0 0 0 Arial", false, unchanged},
    };
    for (const auto& c : cases) {
        FontDesc desc = default_font_desc(2);
        EXPECT_EQ(parse_font_desc(c.text, desc), c.read) << testing::PrintToString(std::u16string(c.text));
        EXPECT_TRUE(desc == c.expected) << testing::PrintToString(std::u16string(c.text));
    }
}

TEST(FontDescText, PixelHeightsScaleAndTruncateTowardZeroAndAlignmentNamesMatchExactly)
{
    const int32_t cases[][3] = {{10, 1, -13}, {10, 2, -26}, {12, 2, -32}, {-7, 1, 9}};
    for (const auto& [size, scale, height] : cases)
        EXPECT_EQ(font_pixel_height(FontDesc{size, scale, 0, 0, 0, u""}), height) << size << " x " << scale;
    HorizontalAlign across = HALIGN_LEFT;
    EXPECT_TRUE(parse_halign(u"JUSTIFY", across));
    EXPECT_FALSE(parse_halign(u"center", across));
    EXPECT_EQ(across, HALIGN_JUSTIFY);
    VerticalAlign down = VALIGN_TOP;
    EXPECT_FALSE(parse_valign(u"CENTER", down));
    EXPECT_TRUE(parse_valign(u"BOTTOM", down));
    EXPECT_EQ(down, VALIGN_BOTTOM);
}

} // namespace

} // namespace stellaro
