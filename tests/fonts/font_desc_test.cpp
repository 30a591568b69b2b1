#include "fonts/font_desc.h"
#include "fonts/font_layout.h"

#include <gtest/gtest.h>

namespace stellaro {

TEST(FontDescText, FieldsThenTheRestAsFace)
{
    FontDesc desc = default_font_desc(2);
    ASSERT_TRUE(parse_font_desc(u"10 1 0 0 Tahoma", desc));
    EXPECT_EQ(desc.size, 10);
    EXPECT_EQ(desc.bold, 1);
    EXPECT_EQ(desc.italic, 0);
    EXPECT_EQ(desc.underline, 0);
    EXPECT_EQ(desc.face, u"Tahoma");
    EXPECT_EQ(desc.scale, 2); // not part of the text

    ASSERT_TRUE(parse_font_desc(u"12 0 0 0 Courier New", desc));
    EXPECT_EQ(desc.face, u"Courier New");
    EXPECT_EQ(desc.bold, 0);

    ASSERT_TRUE(parse_font_desc(u"\t+9  0 7\n-1   DejaVu Sans Mono \r\n", desc));
    EXPECT_EQ(desc.size, 9);
    EXPECT_EQ(desc.italic, 1);
    EXPECT_EQ(desc.underline, 1);
    EXPECT_EQ(desc.face, u"DejaVu Sans Mono");
}

TEST(FontDescText, MissingNumbersFailKeepingWhatWasRead)
{
    FontDesc desc = default_font_desc(1);
    EXPECT_FALSE(parse_font_desc(u"14 1 x 0 Tahoma", desc));
    EXPECT_EQ(desc.size, 14);
    EXPECT_EQ(desc.bold, 1);
    EXPECT_EQ(desc.italic, 0);
    EXPECT_EQ(desc.face, u"Tahoma");
    EXPECT_FALSE(parse_font_desc(u"", desc));
    EXPECT_FALSE(parse_font_desc(u"- 1 1 1 Arial", desc));
    EXPECT_FALSE(parse_font_desc(u"99999999999 0 0 0 Arial", desc));
    FontDesc plain = default_font_desc(1);
    ASSERT_TRUE(parse_font_desc(u"8 0 0 0", plain));
    EXPECT_EQ(plain.face, u"");
}

TEST(FontDescText, DefaultsAndPixelHeights)
{
    const FontDesc desc = default_font_desc(1);
    EXPECT_EQ(desc.size, 12);
    EXPECT_EQ(desc.face, u"Tahoma");
    FontDesc sized = desc;
    sized.size = 10;
    EXPECT_EQ(font_pixel_height(sized), -13);
    sized.scale = 2;
    EXPECT_EQ(font_pixel_height(sized), -26);
    sized.size = 12;
    EXPECT_EQ(font_pixel_height(sized), -32);
    sized.size = -7;
    sized.scale = 1;
    EXPECT_EQ(font_pixel_height(sized), 9); // truncated toward zero
}

TEST(Alignment, NamesMatchExactlyAndAFailureKeepsTheValue)
{
    int32_t value = 7;
    EXPECT_TRUE(parse_halign(u"CENTER", value));
    EXPECT_EQ(value, HALIGN_CENTER);
    EXPECT_TRUE(parse_halign(u"JUSTIFY", value));
    EXPECT_EQ(value, HALIGN_JUSTIFY);
    EXPECT_FALSE(parse_halign(u"center", value));
    EXPECT_FALSE(parse_valign(u"CENTER", value));
    EXPECT_EQ(value, HALIGN_JUSTIFY);
    EXPECT_TRUE(parse_valign(u"BOTTOM", value));
    EXPECT_EQ(value, VALIGN_BOTTOM);
}

} // namespace stellaro
