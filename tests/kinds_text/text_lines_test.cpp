#include "fonts/font_handle.h"
#include "skin/kinds/text_lines.h"
#include "skin/kinds/text_word.h"

#include <gtest/gtest.h>

#include <string>

namespace stellaro {

namespace {

FontHandle body_font()
{
    FontDesc desc;
    desc.size = 15;
    return FontHandle(desc);
}

int32_t width_of(const FontHandle& font, std::u16string_view text) { return font->measure(text, 0).width; }

// The characters of a line as drawn, spaces included, the ellipsis as "…".
std::u16string line_text(const FilledLine& line)
{
    std::u16string text;
    for (const LineRun& run : line.runs)
        text += run.chars;
    return text;
}

struct Filled {
    explicit Filled(std::u16string_view text, int32_t box_width, LineFill fill, HorizontalAlign halign = HALIGN_LEFT)
    {
        const std::u16string shown = shown_text(text, fill == LineFill::WRAP);
        TextLines::Style style;
        style.box_width = box_width;
        style.fill = fill;
        style.halign = halign;
        style.space_px = width_of(font, u" ");
        style.ellipsis_px = width_of(font, u"\u2026");
        lines.fill(split_words(shown, font), style);
    }
    std::u16string line(size_t i) const { return line_text(lines.lines()[i]); }

    FontHandle font = body_font();
    TextLines lines;
};

} // namespace

TEST(TextWords, TabsBecomeSpacesLineFeedsAreCountedAndEdgesComeFromTheFont)
{
    const FontHandle font = body_font();
    EXPECT_EQ(shown_text(u"a\tb\r\nc", true), u"a    b\nc");
    EXPECT_EQ(shown_text(u"a\r\nb\nc", false), u"a b c");

    const auto words = split_words(shown_text(u"  one two\n\nthree", true), font);
    ASSERT_EQ(words.size(), 4u);
    EXPECT_EQ(words[0].chars, u"");
    EXPECT_EQ(words[0].spaces, 2);
    EXPECT_EQ(words[1].chars, u"one");
    EXPECT_EQ(words[1].spaces, 1);
    EXPECT_EQ(words[2].chars, u"two");
    EXPECT_EQ(words[2].line_feeds, 2);
    EXPECT_EQ(words[3].start, 11u);
    EXPECT_EQ(words[2].width, width_of(font, u"two"));
    ASSERT_EQ(words[2].right_edges.size(), 3u);
    EXPECT_EQ(words[2].right_edges[1], width_of(font, u"tw"));
}

TEST(TextLinesFill, WrapsAtWordsBreaksALongWordAndKeepsEmptyLines)
{
    const FontHandle font = body_font();
    const int32_t box = width_of(font, u"alpha beta") + 2;
    const Filled words(u"alpha beta gamma\n\nend", box, LineFill::WRAP);
    ASSERT_EQ(words.lines.count(), 4u);
    EXPECT_EQ(words.line(0), u"alpha beta ");
    EXPECT_EQ(words.line(1), u"gamma");
    EXPECT_EQ(words.line(2), u"");
    EXPECT_EQ(words.line(3), u"end");
    // The empty line holds the caret between the two line feeds.
    EXPECT_EQ(words.lines.line_of(17), 2u);

    const Filled long_word(u"abcdefghijkl", width_of(font, u"abcd"), LineFill::WRAP);
    std::u16string joined;
    for (const FilledLine& line : long_word.lines.lines()) {
        EXPECT_LE(line.width, width_of(font, u"abcd"));
        EXPECT_FALSE(line_text(line).empty());
        joined += line_text(line);
    }
    EXPECT_GE(long_word.lines.count(), 3u);
    EXPECT_EQ(joined, u"abcdefghijkl");
}

TEST(TextLinesFill, JustifiedLinesReachTheRightEdgeButAParagraphsLastDoesNot)
{
    const FontHandle font = body_font();
    const int32_t box = width_of(font, u"one two three") + 9;
    const Filled text(u"one two three four", box, LineFill::WRAP, HALIGN_JUSTIFY);
    ASSERT_EQ(text.lines.count(), 2u);
    EXPECT_EQ(text.lines.lines()[0].width, box);
    EXPECT_EQ(text.lines.lines()[1].width, width_of(font, u"four"));
}

// Both variants keep the text's start; the right-aligned one ends the ellipsis on the right edge.
TEST(TextLinesFill, ACutLineKeepsItsStartAndEndsWithTheEllipsis)
{
    const FontHandle font = body_font();
    const int32_t box = width_of(font, u"Betelgeuse") + 3;
    for (const HorizontalAlign halign : {HALIGN_LEFT, HALIGN_RIGHT}) {
        const Filled text(u"Betelgeuse and Rigel", box, LineFill::CUT, halign);
        ASSERT_TRUE(text.lines.cut());
        const FilledLine& line = text.lines.lines()[0];
        EXPECT_EQ(line.runs.front().chars.substr(0, 4), u"Bete");
        EXPECT_EQ(line.runs.back().chars, u"\u2026");
        const int32_t right = line.runs.back().x + line.runs.back().width();
        EXPECT_LE(right, box);
        EXPECT_EQ(halign == HALIGN_RIGHT ? right : line.runs.front().x, halign == HALIGN_RIGHT ? box : 0);
    }
    EXPECT_FALSE(Filled(u"Rigel", box, LineFill::CUT).lines.cut());
}

TEST(TextLinesFill, PlacesMapToTextPositionsAndBackAtCharacterBoundaries)
{
    const FontHandle font = body_font();
    const Filled text(u"ab\U0001F600cd", 1000, LineFill::ONE_LINE);
    EXPECT_EQ(text.lines.x_of(2), width_of(font, u"ab"));
    // Nearest boundary; the middle of the surrogate pair is never one.
    EXPECT_EQ(text.lines.index_at(0, width_of(font, u"a") + 1), 1u);
    for (int32_t x = 0; x < width_of(font, u"ab\U0001F600cd"); ++x)
        EXPECT_NE(text.lines.index_at(0, x), 3u);
}

} // namespace stellaro
