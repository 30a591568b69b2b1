#include "skin/kinds/text_element.h"
#include "text_skin.h"

namespace stellaro {

namespace {

int32_t width_of(const TextElement& text, std::u16string_view part) { return text.font()->measure(part, 0).width; }

} // namespace

TEST_F(TextSkinTest, TheBlockIsPlacedByItsVerticalAlignment)
{
    build(placed("text", "top", 0, 0, 200, 100, "string valign = \"TOP\" int wrap = 1 string text = \"a\\nb\"") +
          placed("text", "middle", 0, 100, 200, 100, "int wrap = 1 string text = \"a\\nb\"") +
          placed("text", "bottom", 0, 200, 200, 100, "string valign = \"BOTTOM\" int wrap = 1 string text = \"a\\nb\""));
    const int32_t block = 2 * child<TextElement>(u"top").line_height();
    EXPECT_EQ(child<TextElement>(u"top").block_top(), 0);
    EXPECT_EQ(child<TextElement>(u"middle").block_top(), (100 - block) / 2);
    EXPECT_EQ(child<TextElement>(u"bottom").block_top(), 100 - block);
}

TEST_F(TextSkinTest, SideChildrenFrameTheTextBoxCentredVertically)
{
    build(placed("text", "framed", 0, 0, 200, 40,
                 "string text = \"Sirius\" "
                 "child { string type = \"node\" string id = \"#left\" point design_size = 24, 24 } "
                 "child { string type = \"node\" string id = \"#right\" point design_size = 30, 10 }"));
    const auto& text = child<TextElement>(u"framed");
    ASSERT_NE(text.left_child(), nullptr);
    EXPECT_EQ(text.left_child()->x(), 0);
    EXPECT_EQ(text.left_child()->y(), 8);
    EXPECT_EQ(text.right_child()->x(), 170);
    EXPECT_EQ(text.right_child()->y(), 15);
    EXPECT_EQ(text.box_x(), 24);
    EXPECT_EQ(text.box_width(), 146);
}

// A growing wrapped text makes its parent measure again when a new text needs more lines.
TEST_F(TextSkinTest, AGrowingTextMakesItsParentTaller)
{
    build("child { string type = \"node\" string id = \"holder\" string anchor_y = \"MIN_SIDE\" " +
          placed("text", "grown", 0, 0, 120, 0, "int grow = 1 int grow_min = 1 int wrap = 1 string text = \"one\"") +
          "}");
    Element& holder = *screen.find_child(u"holder");
    auto& text = child<TextElement>(u"grown");
    const int32_t one_line = holder.height();
    EXPECT_EQ(one_line, text.line_height());

    text.set_text(u"one two three four five six seven eight nine ten");
    lay_out({240, 320});
    EXPECT_GT(text.lines().count(), 2u);
    EXPECT_EQ(holder.height(), static_cast<int32_t>(text.lines().count()) * text.line_height());
    EXPECT_LE(text.lines().widest(), 120);
}

TEST_F(TextSkinTest, TextsComeFromTheSkinAndBySendTextAndDescribeThemselves)
{
    build(placed("text", "name", 0, 0, 200, 30, "string text = \"Vega\""));
    auto& text = child<TextElement>(u"name");
    screen.send_text(u"other", u"Deneb");
    screen.send_text(u"name", u"Altair");
    ElementState state;
    text.describe(state);
    EXPECT_EQ(state.text, u"Altair");
    EXPECT_EQ(text.lines().lines()[0].width, width_of(text, u"Altair"));
}

} // namespace stellaro
