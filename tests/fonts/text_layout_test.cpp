#include "fonts/font_layout.h"

#include <gtest/gtest.h>

namespace stellaro {

namespace {

// Every character 10 pixels wide.
const TextWidth TEN = [](std::u16string_view text) { return static_cast<int32_t>(text.size()) * 10; };

std::vector<std::u16string> texts(const std::vector<TextLine>& lines)
{
    std::vector<std::u16string> result;
    for (const TextLine& line : lines)
        result.push_back(line.text);
    return result;
}

} // namespace

TEST(TextLayout, SingleLineEndsWithAnEllipsisWhenTooWide)
{
    const auto lines = layout_text(u"Alpha Centauri", 100, 20, 20, HALIGN_LEFT, VALIGN_TOP, false, TEN);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].text, u"Alpha C...");
    EXPECT_EQ(lines[0].width, 100);
    // The space before the cut goes too.
    EXPECT_EQ(with_end_ellipsis(u"Alpha Centauri", 90, TEN), u"Alpha...");
    // Fits: untouched; line breaks become spaces on one line.
    EXPECT_EQ(texts(layout_text(u"Vega\nLyr", 100, 20, 20, HALIGN_LEFT, VALIGN_TOP, false, TEN)), std::vector<std::u16string>{u"Vega Lyr"});
}

TEST(TextLayout, WrapsAtSpacesAndLineBreaks)
{
    const auto lines = layout_text(u"the quick brown fox\njumps", 100, 100, 20, HALIGN_LEFT, VALIGN_TOP, true, TEN);
    EXPECT_EQ(texts(lines), (std::vector<std::u16string>{u"the quick", u"brown fox", u"jumps"}));
    EXPECT_EQ(lines[1].y, 20);
    EXPECT_EQ(lines[2].y, 40);
    // A word too long for any line is cut with an ellipsis.
    EXPECT_EQ(texts(layout_text(u"a Betelgeuse", 60, 100, 20, HALIGN_LEFT, VALIGN_TOP, true, TEN)),
              (std::vector<std::u16string>{u"a", u"Bet..."}));
}

TEST(TextLayout, LinesBeyondTheBoxEndTheLastOneWithAnEllipsis)
{
    const auto lines = layout_text(u"one two three four five", 100, 45, 20, HALIGN_LEFT, VALIGN_TOP, true, TEN);
    EXPECT_EQ(texts(lines), (std::vector<std::u16string>{u"one two", u"three f..."}));
    // Even a box lower than a line shows one line.
    EXPECT_EQ(layout_text(u"one two three", 70, 5, 20, HALIGN_LEFT, VALIGN_TOP, true, TEN).size(), 1u);
}

TEST(TextLayout, Alignment)
{
    auto first = [](HorizontalAlign halign, VerticalAlign valign, bool wrap) {
        return layout_text(u"abc", 100, 50, 20, halign, valign, wrap, TEN).front();
    };
    EXPECT_EQ(first(HALIGN_LEFT, VALIGN_TOP, false).x, 0);
    EXPECT_EQ(first(HALIGN_CENTER, VALIGN_TOP, false).x, 35);
    EXPECT_EQ(first(HALIGN_RIGHT, VALIGN_TOP, false).x, 70);
    EXPECT_EQ(first(HALIGN_JUSTIFY, VALIGN_TOP, false).x, 0);
    EXPECT_EQ(first(HALIGN_LEFT, VALIGN_VCENTER, false).y, 15);
    EXPECT_EQ(first(HALIGN_LEFT, VALIGN_BOTTOM, false).y, 30);
    const auto two = layout_text(u"abc def", 50, 50, 20, HALIGN_RIGHT, VALIGN_BOTTOM, true, TEN);
    ASSERT_EQ(two.size(), 2u);
    EXPECT_EQ(two[0].y, 10);
    EXPECT_EQ(two[1].y, 30);
    EXPECT_EQ(two[1].x, 20);
}

} // namespace stellaro
