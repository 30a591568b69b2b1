#include "shell/screen_stack.h"
#include "shell_test_support.h"

#include "skin/surface/span_filler.h"

#include <gtest/gtest.h>

namespace stellaro {

namespace {

constexpr Size CLIENT{64, 48};

// Opens a new recording screen on the stack, which owns it.
RecordingScreen& open(ScreenStack& stack, ScreenKind kind, Colour colour = {0, 0, 255, 255})
{
    auto screen = std::make_unique<RecordingScreen>(colour);
    RecordingScreen& shown = *screen;
    stack.push(std::move(screen), kind, CLIENT);
    return shown;
}

Pixel dimmed(Colour colour, int32_t level)
{
    RenderSurface one({1, 1});
    one.set_pixel({0, 0}, colour);
    one.apply({0, 0}, {1, 1}, *dim_filler(level));
    return one.pixel({0, 0});
}

TEST(ScreenStack, AnOverlayDimsWhatLiesBelowStepByStepAndTheScreenBelowFadesBackUp)
{
    const Colour below_colour{200, 180, 40, 255};
    ScreenStack stack;
    RenderSurface frame(CLIENT);

    RecordingScreen& below = open(stack, ScreenKind::FULL, below_colour);
    stack.advance(0.04, CLIENT);
    stack.render(frame);
    EXPECT_EQ(frame.pixel({50, 40}), to_pixel(below_colour));
    EXPECT_EQ(stack.dim_level(), ScreenStack::FULL_LEVEL);

    auto overlay_screen = std::make_unique<RecordingScreen>();
    overlay_screen->painted = {10, 10};
    Element* overlay = overlay_screen.get();
    stack.push(std::move(overlay_screen), ScreenKind::OVERLAY, CLIENT);
    EXPECT_TRUE(stack.top_is_overlay());
    for (int32_t expected = 256; expected > 128; expected -= 16) {
        ASSERT_TRUE(stack.needs_redraw(false));
        stack.render(frame);
        // The picture below is drawn at the level the frame starts with, then the level steps.
        EXPECT_EQ(frame.pixel({50, 40}), dimmed(below_colour, expected)) << expected;
        EXPECT_EQ(stack.dim_level(), expected - 16);
    }
    stack.render(frame);
    EXPECT_EQ(stack.dim_level(), ScreenStack::DIMMED_LEVEL);
    EXPECT_EQ(frame.pixel({50, 40}), dimmed(below_colour, 128));
    EXPECT_FALSE(stack.needs_redraw(false));

    EXPECT_EQ(stack.remove(overlay).get(), overlay);
    EXPECT_EQ(stack.top(), &below);
    for (int32_t expected = 128; expected < 256; expected += 16) {
        ASSERT_TRUE(stack.needs_redraw(false));
        stack.render(frame);
        EXPECT_EQ(frame.pixel({50, 40}), dimmed(below_colour, expected)) << expected;
    }
    EXPECT_EQ(stack.dim_level(), ScreenStack::FULL_LEVEL);
    stack.render(frame);
    EXPECT_EQ(frame.pixel({50, 40}), to_pixel(below_colour));
}

TEST(ScreenStack, InputGoesToTheTopScreenOnlyAndAnEmptyStackDropsIt)
{
    ScreenStack stack;
    PointerEvent press;
    press.down = true;
    KeyEvent key;
    key.code = KEY_ENTER;
    EXPECT_FALSE(stack.pointer_button(press));
    EXPECT_FALSE(stack.key(key));
    EXPECT_FALSE(stack.text(u"a"));
    stack.pointer_move(press);

    RecordingScreen& first = open(stack, ScreenKind::FULL);
    RecordingScreen& second = open(stack, ScreenKind::FULL);
    EXPECT_TRUE(stack.pointer_button(press));
    EXPECT_TRUE(stack.key(key));
    EXPECT_TRUE(stack.text(u"a"));
    EXPECT_EQ(second.input, "down 0,0\nkey Enter up\ntext a\n");
    EXPECT_EQ(first.input, "");
}

TEST(ScreenStack, NeedsRedrawFollowsTheTopScreenAndKeepsTheLastAnswerForOneFrame)
{
    ScreenStack stack;
    RenderSurface frame(CLIENT);
    RecordingScreen& screen = open(stack, ScreenKind::FULL);
    stack.advance(0.04, CLIENT);
    EXPECT_TRUE(stack.needs_redraw(false));
    stack.render(frame);
    // The frame just drawn was an animated one: with `keep` the next frame is drawn too.
    EXPECT_FALSE(stack.needs_redraw(false));
    EXPECT_TRUE(stack.needs_redraw(true));
    stack.render(frame);
    EXPECT_FALSE(stack.needs_redraw(true));
    screen.request_repaint();
    EXPECT_TRUE(stack.needs_redraw(false));
}

TEST(ScreenStack, ATransitionIsDrawnInsteadOfTheScreensUntilItEnds)
{
    ScreenStack stack;
    RenderSurface frame(CLIENT);
    open(stack, ScreenKind::FULL, {255, 0, 0, 255});
    RenderSurface incoming(CLIENT);
    incoming.apply({0, 0}, CLIENT, SolidFiller(to_pixel({0, 255, 0, 255})));
    stack.start_transition(VisibilityAnimation::parse(u"right"), nullptr, Direction::SHOW, &incoming);
    ASSERT_TRUE(stack.transition_running());
    for (int i = 0; i < 200 && stack.transition_running(); ++i) {
        stack.advance(0.04, CLIENT);
        stack.render(frame);
    }
    EXPECT_FALSE(stack.transition_running());
    stack.render(frame);
    EXPECT_EQ(frame.pixel({5, 5}), to_pixel({255, 0, 0, 255}));
}

} // namespace

} // namespace stellaro
