#include "platform/clipboard.h"
#include "skin/kinds/edit_element.h"
#include "skin/kinds/edit_host.h"
#include "skin/kinds/label_edit.h"
#include "skin/props/skincore.h"
#include "text_skin.h"

namespace stellaro {

namespace {

PointerEvent pointer(Point at, bool down)
{
    PointerEvent event;
    event.x = at.x;
    event.y = at.y;
    event.down = down;
    return event;
}

KeyEvent key(uint8_t code, bool down = true)
{
    KeyEvent event;
    event.code = code;
    event.down = down;
    return event;
}

constexpr uint8_t letter(char c) { return static_cast<uint8_t>(KEY_A + (c - 'A')); }

// A multi-line field "notes" (200 x 100) above a single-line field "name" (120 x 30), both
// taking input from the screen, and a labelled field "labelled" with its hint.
class EditTest : public TextSkinTest {
protected:
    void SetUp() override
    {
        build(placed("edit", "notes", 0, 0, 200, 100,
                     "int wrap = 1 string halign = \"LEFT\" string valign = \"TOP\" color color = #FFFFFF") +
              placed("edit", "name", 0, 100, 120, 30, "string halign = \"LEFT\"") +
              placed("label_edit", "labelled", 0, 140, 200, 30,
                     "child { string type = \"edit\" string id = \"#edit\" } "
                     "child { string type = \"text\" string id = \"#text\" string text = \"Your name\" }"));
    }
    void TearDown() override { edit_host().set_active_edit(nullptr); }

    EditElement& notes() { return child<EditElement>(u"notes"); }
    EditElement& name() { return child<EditElement>(u"name"); }
    // Taps the field at its text position.
    void tap(EditElement& field, size_t index, int32_t dx = 0)
    {
        const size_t line = field.lines().line_of(index);
        const Point at{field.box_x() + field.lines().x_of(index) + dx,
                       field.y() + field.block_top() + static_cast<int32_t>(line) * field.line_height() + 2};
        screen.on_pointer_button(pointer(at, true));
        screen.on_pointer_button(pointer(at, false));
    }
    void press(uint8_t code) { screen.on_key(key(code)); }
    void with(uint8_t modifier, uint8_t code)
    {
        screen.on_key(key(modifier));
        press(code);
        screen.on_key(key(modifier, false));
    }
};

} // namespace

TEST_F(EditTest, BackspaceDeletesBeforeTheCaretAndNothingAtTheStart)
{
    EditElement& field = name();
    field.set_text(u"Vega");
    tap(field, 0);
    EXPECT_TRUE(field.editing());
    EXPECT_TRUE(screen.on_key(key(KEY_BACKSPACE)));
    EXPECT_EQ(field.text(), u"Vega");
    tap(field, 2);
    press(KEY_BACKSPACE);
    EXPECT_EQ(field.text(), u"Vga");
    EXPECT_EQ(field.buffer().caret(), 1u);
    press(KEY_DEL);
    EXPECT_EQ(field.text(), u"Va");
}

TEST_F(EditTest, EnterBreaksTheLineOnlyInAMultiLineField)
{
    name().set_text(u"Deneb");
    name().begin_edit();
    EXPECT_FALSE(screen.on_key(key(KEY_ENTER)));
    EXPECT_EQ(name().text(), u"Deneb");

    notes().set_text(u"ab");
    notes().begin_edit();
    press(KEY_LEFT);
    press(KEY_ENTER);
    EXPECT_EQ(notes().text(), u"a\nb");
    EXPECT_EQ(notes().lines().count(), 2u);
    EXPECT_EQ(notes().buffer().caret(), 2u);
}

TEST_F(EditTest, ArrowsCrossLineEndsAndUpDownKeepTheColumn)
{
    EditElement& field = notes();
    field.set_text(u"wide line\nab\nanother line");
    field.begin_edit();
    field.select(10, 10); // the start of "ab"
    press(KEY_LEFT);
    EXPECT_EQ(field.buffer().caret(), 9u);
    press(KEY_RIGHT);
    EXPECT_EQ(field.buffer().caret(), 10u);

    field.select(7, 7); // "wide li|ne"
    press(KEY_DOWN);
    EXPECT_EQ(field.buffer().caret(), 12u); // the end of the short line
    press(KEY_DOWN);
    EXPECT_EQ(field.lines().line_of(field.buffer().caret()), 2u);
    EXPECT_NEAR(field.lines().x_of(field.buffer().caret()), field.lines().x_of(7), field.line_height());
    press(KEY_UP);
    press(KEY_UP);
    EXPECT_EQ(field.buffer().caret(), 7u);
    press(KEY_HOME);
    EXPECT_EQ(field.buffer().caret(), 0u);
    press(KEY_END);
    EXPECT_EQ(field.buffer().caret(), 9u);
}

TEST_F(EditTest, AClickPlacesTheCaretAndShiftClickOrADragSelects)
{
    EditElement& field = name();
    field.set_text(u"Aldebaran");
    tap(field, 3, 1);
    EXPECT_EQ(field.buffer().caret(), 3u);
    EXPECT_FALSE(field.buffer().has_selection());

    screen.on_key(key(KEY_SHIFT));
    tap(field, 6);
    screen.on_key(key(KEY_SHIFT, false));
    EXPECT_EQ(field.buffer().selected_text(), u"eba");
    press(KEY_RIGHT);
    EXPECT_EQ(field.buffer().caret(), 6u);
    EXPECT_FALSE(field.buffer().has_selection());

    const auto at = [&](size_t index) { return Point{field.box_x() + field.lines().x_of(index), field.y() + 10}; };
    screen.on_pointer_button(pointer(at(1), true));
    screen.on_pointer_move(pointer(at(4), true));
    screen.on_pointer_button(pointer(at(4), false));
    EXPECT_EQ(field.buffer().selected_text(), u"lde");
    with(KEY_SHIFT, KEY_END);
    EXPECT_EQ(field.buffer().selected_text(), u"ldebaran");
}

TEST_F(EditTest, CopyCutAndPasteGoThroughTheClipboard)
{
    EditElement& field = name();
    field.set_text(u"Rigel");
    field.begin_edit();
    with(KEY_CTRL, letter('A'));
    with(KEY_CTRL, letter('C'));
    EXPECT_EQ(clipboard_text(), u"Rigel");
    press(KEY_END);
    with(KEY_CTRL, letter('V'));
    EXPECT_EQ(field.text(), u"RigelRigel");

    with(KEY_CTRL, letter('A'));
    with(KEY_CTRL, letter('X'));
    EXPECT_EQ(field.text(), u"");
    EXPECT_EQ(clipboard_text(), u"RigelRigel");
    // Line breaks and tabs pasted into a single line become spaces.
    set_clipboard_text(u"a\tb\nc");
    with(KEY_CTRL, letter('V'));
    EXPECT_EQ(field.text(), u"a    b c");
}

TEST_F(EditTest, TypedTextOutsideThePlaneKeepsItsPairsWholeAndScrollsIntoView)
{
    EditElement& field = name();
    field.begin_edit();
    EXPECT_TRUE(screen.on_text(utf8_to_utf16("a\xF0\x9F\x98\x80" "b")));
    EXPECT_EQ(field.text(), u"a\U0001F600b");
    press(KEY_LEFT);
    press(KEY_LEFT);
    EXPECT_EQ(field.buffer().caret(), 1u);
    press(KEY_RIGHT);
    press(KEY_BACKSPACE);
    EXPECT_EQ(field.text(), u"ab");

    screen.on_text(u" the quick brown fox jumps over the lazy dog");
    EXPECT_GT(field.scroll_x(), 0);
    EXPECT_LE(field.caret_point().x, field.width());
    EXPECT_GE(field.caret_point().x, 0);
    press(KEY_HOME);
    EXPECT_EQ(field.scroll_x(), 0);
}

TEST_F(EditTest, OneFieldIsEditedAtATimeUntilItIsHidden)
{
    tap(name(), 0);
    EXPECT_EQ(edit_host().active_edit(), &name());
    tap(notes(), 0);
    EXPECT_EQ(edit_host().active_edit(), &notes());
    screen.on_text(u"x");
    EXPECT_EQ(notes().text(), u"x");
    EXPECT_EQ(name().text(), u"");

    screen.set_visible(false);
    EXPECT_EQ(edit_host().active_edit(), nullptr);
    EXPECT_FALSE(notes().on_text(u"y"));
}

TEST_F(EditTest, TheHintShowsWhileTheLabelledFieldIsEmpty)
{
    auto& labelled = child<LabelEdit>(u"labelled");
    ASSERT_NE(labelled.edit(), nullptr);
    EXPECT_TRUE(labelled.hint()->visible());
    tap(*labelled.edit(), 0);
    screen.on_text(u"S");
    EXPECT_FALSE(labelled.hint()->visible());
    press(KEY_BACKSPACE);
    EXPECT_TRUE(labelled.hint()->visible());
    ElementState state;
    labelled.describe(state);
    EXPECT_EQ(state.text, u"");
}

TEST_F(TextSkinTest, ALabelledFieldWithoutItsHintIsRefused)
{
    EXPECT_THROW(build(placed("label_edit", "bare", 0, 0, 100, 30, "child { string type = \"edit\" string id = \"#edit\" }")),
                 skincore::NodeNotFound);
}

} // namespace stellaro
