#include "fonts/font_layout.h"

#include <gtest/gtest.h>

#include <tuple>

namespace stellaro {

namespace {

// Every character 10 pixels wide.
const TextWidth TEN = [](std::u16string_view text) { return static_cast<int32_t>(text.size()) * 10; };

} // namespace

// Lines of 20 pixels: ellipses on cut lines, wrapping at spaces and line breaks, alignment.
TEST(TextLayout, EllipsisWrapAndAlignmentPlaceEveryLine)
{
    const struct {
        const char16_t* text;
        int32_t width, height;
        HorizontalAlign across;
        VerticalAlign down;
        bool wrap;
        std::vector<TextLine> expected;
    } cases[] = {
        {u"Alpha Centauri", 100, 20, HALIGN_LEFT, VALIGN_TOP, false, {{u"Alpha C...", 0, 0, 100}}},
        // Line breaks become spaces on one line.
        {u"Vega\nLyr", 100, 20, HALIGN_LEFT, VALIGN_TOP, false, {{u"Vega Lyr", 0, 0, 80}}},
        {u"the quick brown fox\njumps", 100, 100, HALIGN_LEFT, VALIGN_TOP, true,
         {{u"the quick", 0, 0, 90}, {u"brown fox", 0, 20, 90}, {u"jumps", 0, 40, 50}}},
        // A word too long for any line is cut; lines beyond the box end the last one with an ellipsis.
        {u"a Betelgeuse", 60, 100, HALIGN_LEFT, VALIGN_TOP, true, {{u"a", 0, 0, 10}, {u"Bet...", 0, 20, 60}}},
        {u"one two three four five", 100, 45, HALIGN_LEFT, VALIGN_TOP, true,
         {{u"one two", 0, 0, 70}, {u"three f...", 0, 20, 100}}},
        // Even a box lower than a line shows one line.
        {u"one two three", 70, 5, HALIGN_LEFT, VALIGN_TOP, true, {{u"one...", 0, 0, 60}}},
        {u"abc", 100, 50, HALIGN_CENTER, VALIGN_VCENTER, false, {{u"abc", 35, 15, 30}}},
        {u"abc", 100, 50, HALIGN_JUSTIFY, VALIGN_BOTTOM, false, {{u"abc", 0, 30, 30}}},
        {u"abc def", 50, 50, HALIGN_RIGHT, VALIGN_BOTTOM, true, {{u"abc", 20, 10, 30}, {u"def", 20, 30, 30}}},
    };
    for (const auto& c : cases) {
        const std::vector<TextLine> lines = layout_text(c.text, c.width, c.height, 20, c.across, c.down, c.wrap, TEN);
        ASSERT_EQ(lines.size(), c.expected.size()) << testing::PrintToString(std::u16string(c.text));
        for (size_t i = 0; i < lines.size(); ++i) {
            const TextLine& line = lines[i];
            const TextLine& expected = c.expected[i];
            EXPECT_EQ(std::tie(line.text, line.x, line.y, line.width),
                      std::tie(expected.text, expected.x, expected.y, expected.width))
                << testing::PrintToString(std::u16string(c.text)) << " line " << i;
        }
    }
    // The space before the cut goes too.
    EXPECT_EQ(with_end_ellipsis(u"Alpha Centauri", 90, TEN), u"Alpha...");
}

} // namespace stellaro
