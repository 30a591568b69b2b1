#include "kinds_fixture.h"

#include "fonts/font_layout.h"
#include "skin/kinds/old_text.h"

#include <array>

namespace stellaro {

namespace {

const char* const TEXTS = R"(
node Texts {
    child { string type = "htable" string id = "row" string anchor_x = "MIN_SIDE"
        child { string type = "oldtext" string id = "grows" string text = "Hi" int grow = 1 string anchor_x = "MIN_SIDE" }
        child { string type = "oldtext" string id = "fixed" string text = "Hi" point design_size = 40, 0
                string anchor_x = "MIN_SIDE" }
    }
    child { string type = "oldtext" string id = "cut" string text = "Stellaro shows the sky" color color = #FFFFFF
            string anchor_x = "MIN_SIDE" string anchor_y = "MIN_SIDE" point border_min = 0, 30 point design_size = 90, 60 }
    child { string type = "oldtext" string id = "expected" color color = #FFFFFF string anchor_x = "MIN_SIDE"
            string anchor_y = "MIN_SIDE" point border_min = 100, 30 point design_size = 90, 60 }
    child { string type = "oldtext" string text = "one two three four" int wrap = 1 color color = #FFFFFF
            string anchor_x = "MIN_SIDE" string anchor_y = "MIN_SIDE" point border_min = 200, 30 point design_size = 60, 90 }
}
)";

// The first and last rows in [top, bottom) with anything but the background in columns [left, right).
std::array<int32_t, 2> inked_rows(const RenderSurface& surface, int32_t left, int32_t right, int32_t top, int32_t bottom)
{
    std::array<int32_t, 2> rows{-1, -1};
    for (int32_t y = top; y < bottom; ++y) {
        for (int32_t x = left; x < right; ++x) {
            if (surface.pixel({x, y}) != KindsTest::BACKGROUND)
                rows = {rows[0] < 0 ? y : rows[0], y};
        }
    }
    return rows;
}

TEST_F(KindsTest, AGrowingTextWidensItsTableAndAFixedOneOnlyRedraws)
{
    open(TEXTS, u"Texts", {400, 200});
    OldText& grows = find<OldText>(u"grows");
    const Element& row = find(u"row");
    const int32_t short_width = grows.width();
    EXPECT_GT(short_width, 0);
    EXPECT_EQ(row.width(), short_width + 40);

    grows.set_text(u"Hello, wide world");
    find<OldText>(u"fixed").set_text(u"Hello, wide world");
    lay_out({400, 200});
    EXPECT_GT(grows.width(), short_width + 40);
    EXPECT_EQ(find(u"fixed").width(), 40);
    EXPECT_EQ(row.width(), grows.width() + 40);
}

TEST_F(KindsTest, ALongLineEndsWithAnEllipsisAndWrappingBreaksAtSpaces)
{
    open(TEXTS, u"Texts", {400, 200});
    OldText& cut = find<OldText>(u"cut");
    FontRep& font = *cut.font;
    const auto width_of = [&](std::u16string_view text) { return font.measure(text, 0).width; };
    find<OldText>(u"expected").set_text(with_end_ellipsis(cut.text(), 90, width_of));
    const RenderSurface target = drawn({400, 200});
    int32_t differing = 0;
    for (int32_t y = 30; y < 90; ++y)
        for (int32_t x = 0; x < 90; ++x)
            differing += target.pixel({x, y}) != target.pixel({x + 100, y});
    EXPECT_EQ(differing, 0);

    // One line, centred both ways; wrapped, the text takes several lines.
    const auto [top, bottom] = inked_rows(target, 0, 90, 30, 90);
    EXPECT_LT(bottom - top, font.line_height());
    EXPECT_NEAR(top - 30, 90 - bottom, font.line_height() / 2);
    const auto [wrap_top, wrap_bottom] = inked_rows(target, 200, 260, 30, 120);
    EXPECT_GT(wrap_bottom - wrap_top, 2 * font.line_height());
}

TEST_F(KindsTest, ImagesCopyPlainlyOrByTheirAlphaAndGrowToTheirPicture)
{
    open(R"(node Pictures {
        child { string type = "image" picture src = "pic" string anchor_x = "MIN_SIDE" string anchor_y = "MIN_SIDE"
                point design_size = 8, 6 }
        child { string type = "image" picture src = "pic" int alpha = 128 string anchor_x = "MIN_SIDE"
                string anchor_y = "MIN_SIDE" point design_size = 8, 6 point border_min = 10, 0 }
        child { string type = "image" picture src = "pic" int alpha = 0 string anchor_x = "MIN_SIDE"
                string anchor_y = "MIN_SIDE" point design_size = 8, 6 point border_min = 20, 0 }
        child { string type = "node" string anchor_x = "MIN_SIDE" string anchor_y = "MIN_SIDE" point border_min = 0, 10
            child { string type = "image" string id = "grown" picture src = "pic" int grow = 1 } } })",
         u"Pictures", {40, 40});
    const RenderSurface target = drawn({40, 40});
    EXPECT_EQ(target.pixel({0, 0}), TRANSPARENT_KEY);
    EXPECT_EQ(target.pixel({1, 1}), PICTURE_COLOUR);
    EXPECT_EQ(target.pixel({20, 0}), BACKGROUND);
    EXPECT_EQ(target.pixel({21, 1}), PICTURE_COLOUR);
    Pixel blended = BACKGROUND;
    add_half_painter().paint(&blended, &blended + 1, &PICTURE_COLOUR, 0);
    EXPECT_EQ(target.pixel({11, 1}), blended);
    EXPECT_EQ((std::array{find(u"grown").width(), find(u"grown").height()}), (std::array{8, 6}));
}

} // namespace

} // namespace stellaro
