// The alphabet ruler on a small skin of its own: its letters, its cells and the letter under
// the finger.
#include "platform/utf.h"
#include "screens/alphabet_ruler.h"
#include "skin/kinds/button.h"
#include "skin/kinds/toolkit_kinds.h"
#include "skin/props/skincore.h"
#include "support/compiled_skin.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

namespace stellaro {

namespace {

// A ruler whose button is 200 high with 10 pixels of border in its table: room for 10 cells of 18.
constexpr const char* RULER_SKIN = R"(
node Host {
    child {
        string type = "node" string id = "ruler"
        child { string type = "button" string id = "ruler_button" }
        child {
            string type = "vtable" string id = "ruler_table" string anchor_y = "MIN_SIDE_NO_SIZE"
            point border_min = 0, 5 point border_max = 0, 5
        }
    }
    child { string type = "node" string id = "broken" }
}
node AlphabetRulerText {
    point design_size = 0, 18
    child { string type = "oldtext" string id = "#text" }
}
)";

class Events : public AlphabetRulerListener {
public:
    void letter_event(AlphabetRuler&, const RulerEvent& event) override { seen.push_back(event); }
    std::vector<RulerEvent> seen;
};

class RulerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(properties.load_skin(utf8_to_utf16(compile_skin(folder.path(), "ruler", RULER_SKIN)), 96));
        ASSERT_TRUE(screen.load_from_skin(properties, u"Host"));
        screen.set_visible(true);
        screen.set_horizontal(0, 40);
        screen.set_vertical(0, 200);
        ruler.attach(*screen.find_child(u"ruler"));
    }

    void press(int32_t y, bool down)
    {
        PointerEvent event{20, y};
        event.down = down;
        screen.on_pointer_button(event);
    }

    std::vector<std::unique_ptr<NodeRegistration>> kinds = register_toolkit_kinds();
    TemporaryFolder folder;
    Properties properties;
    Element screen;
    Events events;
    AlphabetRuler ruler{properties, events};
};

std::vector<std::u16string> letters(const std::u16string& initials)
{
    std::vector<std::u16string> out;
    for (char16_t letter : initials)
        out.emplace_back(1, letter);
    return out;
}

} // namespace

TEST(RulerLetters, EachRunOfInitialsOnceInTheNamesOrder)
{
    const NameIndex sorted = {{u"Acamar", 1}, {u"Achernar", 2}, {u"Adhara", 3}, {u"Bellatrix", 4}};
    EXPECT_EQ(ruler_letters(sorted), letters(u"AB"));
    const NameIndex unsorted = {{u"Deneb", 1}, {u"", 2}, {u"Altair", 3}, {u"Deneb Algedi", 4}, {u"\u0414\u0443\u0431\u0445\u0435", 5}};
    EXPECT_EQ(ruler_letters(unsorted), letters(u"DAD\u0414"));
    EXPECT_TRUE(ruler_letters({}).empty());
}

TEST_F(RulerTest, TooManyLettersShowEvenlySpacedCellsButTheFingerReachesEveryLetter)
{
    std::u16string thirty;
    for (int i = 0; i < 30; ++i)
        thirty += static_cast<char16_t>(u'A' + i);
    ruler.set_letters(letters(thirty));
    EXPECT_EQ(ruler.cell_letters(), letters(u"BEHKNQTWZ]"));
    screen.set_vertical(0, 200); // lays the new cells out
    // A tap on a cell's middle picks the letter the cell shows.
    for (int cell = 0; cell < 10; ++cell)
        EXPECT_EQ(ruler.letters()[static_cast<size_t>(ruler.letter_at(5 + 18 * cell + 9))], ruler.cell_letters()[static_cast<size_t>(cell)])
            << cell;
    EXPECT_EQ(ruler.letter_at(5), 0);
    EXPECT_EQ(ruler.letter_at(5 + 179), 29);
    EXPECT_EQ(ruler.letter_at(-50), 0);

    // A taller column is filled again.
    screen.set_vertical(0, 400);
    EXPECT_EQ(ruler.cell_letters().size(), 21u);
}

TEST_F(RulerTest, DraggingReportsHeldLettersAndTheReleaseTheLetterLeftOn)
{
    ruler.set_letters(letters(u"ABCDEFGHIJ"));
    screen.set_vertical(0, 200);
    press(10, true);
    PointerEvent move{20, 120};
    screen.on_pointer_move(move);
    press(190, false);
    ASSERT_GE(events.seen.size(), 3u);
    EXPECT_TRUE(events.seen.front().held);
    EXPECT_EQ(events.seen.front().letter, u"A");
    const RulerEvent& moved = events.seen[events.seen.size() - 2];
    EXPECT_EQ(std::tuple(moved.letter, moved.held, moved.y), std::tuple(std::u16string(u"G"), true, 120));
    EXPECT_EQ(std::tuple(events.seen.back().letter, events.seen.back().held), std::tuple(std::u16string(u"J"), false));

    // A ruler without letters reports nothing.
    events.seen.clear();
    ruler.set_letters({});
    press(50, true);
    press(50, false);
    EXPECT_TRUE(events.seen.empty());
}

TEST_F(RulerTest, AHostWithoutItsPartsIsRefused)
{
    EXPECT_THROW(ruler.attach(*screen.find_child(u"broken")), skincore::NodeNotFound);
}

} // namespace stellaro
