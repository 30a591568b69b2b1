#include "kinds_fixture.h"

#include "skin/kinds/button.h"
#include "skin/kinds/checkbox.h"
#include "skin/kinds/old_text.h"
#include "skin/kinds/progress_bar.h"
#include "skin/props/skincore.h"

#include <algorithm>
#include <array>

namespace stellaro {

namespace {

const char* const SKIN = R"(
node Controls {
    child { string type = "htable" string anchor_y = "MIN_SIDE"
        child { string type = "button" string id = "ok" string bind_key = "Enter" string text = "OK"
                string anchor_x = "MIN_SIDE" point design_size = 50, 20
            child { string type = "color" string id = "#normal" }
            child { string type = "color" string id = "#pressed" }
            child { string type = "color" string id = "#disabled" }
            child { string type = "oldtext" string id = "#text" } } }
    child { string type = "checkbox" string id = "choice" int states = 3 string text = "Mode" string anchor_x = "MIN_SIDE"
            string anchor_y = "MIN_SIDE" point border_min = 0, 30 point design_size = 40, 20
        child { string type = "button" string id = "#state_0" }
        child { string type = "button" string id = "#state_1" }
        child { string type = "button" string id = "#state_2" } }
    child { string type = "progress" string id = "bar" string anchor_x = "MIN_SIDE" string anchor_y = "MIN_SIDE"
            point border_min = 0, 60 point design_size = 200, 10
        child { string type = "color" string id = "#line" string anchor_x = "MIN_SIDE" point border_min = 10, 0
                point border_max = 10, 0 } }
}
node Missing { child { string type = "checkbox" int states = 2 child { string type = "button" string id = "#state_0" } } }
node Negative { child { string type = "checkbox" int states = -2 } }
)";

// Notes what buttons and checkboxes report, and uses at most `use` pixels of each drag step.
struct Recorder : ButtonListener, CheckboxListener {
    void on_click(Button&, Point point) override { log += "click " + std::to_string(point.x) + "\n"; }
    void on_press_changed(Button& button, Point, bool cancelled) override
    {
        log += std::string(button.held() ? "down" : "up") + (cancelled ? " cancelled\n" : "\n");
    }
    void on_drag(Button&, ButtonDrag& drag) override
    {
        log += "drag " + std::to_string(drag.dx) + "\n";
        drag.consumed_x = std::min(drag.dx, use);
    }
    void on_click(Checkbox& box, Point) override { log += "box click " + std::to_string(box.state()) + "\n"; }
    void on_state_changed(Checkbox& box, bool) override { log += "state " + std::to_string(box.state()) + "\n"; }
    std::string taken() { return std::exchange(log, {}); }

    std::string log;
    int32_t use = 0;
};

PointerEvent pointer(int32_t x, int32_t y, bool down, bool cancelled = false)
{
    return PointerEvent{x, y, 0, 0, down, cancelled};
}

class ControlsTest : public KindsTest {
protected:
    void SetUp() override
    {
        open(SKIN, u"Controls", {300, 100});
        button = &find<Button>(u"ok");
        button->set_listener(&recorder);
    }
    std::string shown() const
    {
        for (const char16_t* state : {u"#normal", u"#pressed", u"#disabled"})
            if (button->find_child(state)->visible())
                return utf16_to_utf8(state);
        return "none";
    }
    void click(int32_t x, int32_t y)
    {
        screen.on_pointer_button(pointer(x, y, true));
        screen.on_pointer_button(pointer(x, y, false));
    }

    Button* button = nullptr;
    Recorder recorder;
};

TEST_F(ControlsTest, AClickNeedsAReleaseInsideThatWasNotCancelledOrTheBoundKey)
{
    button->set_caption(u"Go");
    EXPECT_EQ(find<OldText>(u"#text").text(), u"Go");
    screen.on_pointer_button(pointer(10, 10, true));
    EXPECT_EQ(shown(), "#pressed");
    screen.on_pointer_button(pointer(80, 10, false));
    EXPECT_EQ(shown(), "#normal");
    click(10, 10);
    screen.on_pointer_button(pointer(10, 10, true));
    screen.on_pointer_button(pointer(-1, -1, false, true));
    EXPECT_EQ(recorder.taken(), "down\ndrag 0\nup\ndown\ndrag 0\nup\nclick 10\ndown\ndrag 0\nup cancelled\n");

    EXPECT_TRUE(screen.on_key({KEY_ENTER, true, true}));
    EXPECT_EQ(shown(), "#pressed");
    EXPECT_TRUE(screen.on_key({KEY_ENTER, false, true}));
    EXPECT_FALSE(screen.on_key({KEY_SPACE, true, true}));
    EXPECT_EQ(recorder.taken(), "down\nup\nclick 25\n");
}

TEST_F(ControlsTest, DragMovementTheListenerLeavesCarriesIntoTheNextStep)
{
    recorder.use = 3;
    screen.on_pointer_button(pointer(10, 10, true));
    screen.on_pointer_move(pointer(15, 10, true));
    screen.on_pointer_move(pointer(17, 10, true));
    EXPECT_EQ(recorder.taken(), "down\ndrag 0\ndrag 5\ndrag 4\n");
}

TEST_F(ControlsTest, DisabledOrForcedButtonsShowTheirStateAndNeverClick)
{
    screen.on_pointer_button(pointer(10, 10, true));
    button->set_enabled(false);
    EXPECT_EQ(shown(), "#disabled");
    screen.on_pointer_button(pointer(10, 10, false));
    click(10, 10);
    button->on_pointer_button(pointer(10, 10, true));
    button->on_pointer_button(pointer(10, 10, false));
    EXPECT_EQ(recorder.taken(), "down\ndrag 0\nup cancelled\ndown cancelled\ndrag 0\nup cancelled\n");
    button->set_enabled(true);
    EXPECT_EQ(shown(), "#normal");

    button->set_forced(true);
    EXPECT_EQ(shown(), "#pressed");
    click(10, 10);
    button->set_forced(false);
    EXPECT_EQ(shown(), "#normal");
    // Still held at the release, so it hears a drag there too.
    EXPECT_EQ(recorder.taken(), "drag 0\ndrag 0\n");
}

TEST_F(ControlsTest, ACheckboxCyclesWithoutAListenerAndHandsClicksToOne)
{
    Checkbox& box = find<Checkbox>(u"choice");
    EXPECT_EQ(box.state_button(0)->caption(), u"Mode");
    std::string states;
    for (int i = 0; i < 4; ++i) {
        click(5, 35);
        states += std::to_string(box.state());
    }
    EXPECT_EQ(states, "1201");

    box.set_listener(&recorder);
    click(5, 35);
    box.set_state(0, false);
    EXPECT_EQ(recorder.taken(), "box click 1\nstate 0\n");
    EXPECT_TRUE(box.state_button(0)->visible());
    EXPECT_FALSE(box.state_button(1)->visible());

    EXPECT_THROW(screen.load_from_skin(properties, u"Missing"), skincore::NodeNotFound);
    EXPECT_THROW(screen.load_from_skin(properties, u"Negative"), skincore::SkinError);
    // The state buttons of the failed checkbox had registered for input with the screen.
    EXPECT_TRUE(screen.input_children().empty());
    EXPECT_TRUE(screen.children().empty());
    click(5, 35);
}

TEST_F(ControlsTest, AProgressBarFillsItsFractionOfTheRoomItsBordersLeave)
{
    ProgressBar& bar = find<ProgressBar>(u"bar");
    const Element& line = find(u"#line");
    bar.set_value(0.5);
    EXPECT_EQ((std::array{line.x(), line.width()}), (std::array{10, 95}));
    bar.set_value(7.0);
    EXPECT_EQ(line.width(), 190);
}

} // namespace

} // namespace stellaro
