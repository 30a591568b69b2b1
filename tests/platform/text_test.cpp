#include "platform/utf.h"

#include <gtest/gtest.h>

namespace stellaro {

namespace {

TEST(Utf, ConvertsBothWaysAndDamagedInputBecomesReplacementCharacters)
{
    const std::string text = "Stern \u00e9toile \u0417\u0432\u0435\u0437\u0434\u0430 \u03b1 \U0001F52D";
    EXPECT_EQ(utf16_to_utf8(utf8_to_utf16(text)), text);
    EXPECT_EQ(utf8_to_utf16("a\xFF" "b"), u"a\uFFFDb");
    EXPECT_EQ(utf8_to_utf16("a\xE2\x82"), u"a\uFFFD");
    EXPECT_EQ(utf8_to_utf16("\xC0\xAF"), u"\uFFFD\uFFFD");
    EXPECT_EQ(utf16_to_utf8(std::u16string(1, char16_t(0xD800))), "\xEF\xBF\xBD");
}

TEST(Utf, CaseMappingCoversLatinGreekAndCyrillic)
{
    EXPECT_EQ(to_lower(u"ABC \u00c9\u00c0 \u0141\u00d3D\u0179 \u0391\u03a3 \u0416\u0401\u0407"), u"abc \u00e9\u00e0 \u0142\u00f3d\u017a \u03b1\u03c3 \u0436\u0451\u0457");
    EXPECT_EQ(to_upper(u"abc \u00e9 \u0142 \u03c9 \u044f\u0456"), u"ABC \u00c9 \u0141 \u03a9 \u042f\u0406");
    EXPECT_EQ(to_lower(u"\u00d7\u00df1"), u"\u00d7\u00df1");
}

} // namespace

} // namespace stellaro
