#include "shell/screen_stack.h"
#include "shell_test_support.h"

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

int red(Pixel pixel) { return pixel >> 11; }

TEST(ScreenStack, AnOverlayDimsWhatLiesBelowFrameByFrameAndItFadesBackUp)
{
    const Colour colour{248, 0, 0, 255};
    ScreenStack stack;
    RenderSurface frame(CLIENT);
    open(stack, ScreenKind::FULL, colour);
    stack.advance(0.04, CLIENT);
    stack.render(frame);
    ASSERT_EQ(frame.pixel({50, 40}), to_pixel(colour));

    RecordingScreen& overlay = open(stack, ScreenKind::OVERLAY);
    overlay.painted = {10, 10};
    int frames = 0;
    for (int last = red(frame.pixel({50, 40})); stack.needs_redraw(); ++frames) {
        stack.render(frame);
        EXPECT_LE(red(frame.pixel({50, 40})), last);
        last = red(frame.pixel({50, 40}));
    }
    // Eight steps of a sixteenth down to half, then one frame at half.
    EXPECT_EQ(frames, 9);
    EXPECT_EQ(red(frame.pixel({50, 40})), 15);
    EXPECT_EQ(frame.pixel({5, 5}), to_pixel(overlay.colour));

    EXPECT_EQ(stack.remove(&overlay).get(), &overlay);
    for (frames = 0; stack.needs_redraw() && frames < 20; ++frames)
        stack.render(frame);
    EXPECT_EQ(frames, 9);
    EXPECT_EQ(frame.pixel({50, 40}), to_pixel(colour));
}

TEST(ScreenStack, InputGoesToTheTopScreenOnlyAndAfterItsRemovalToTheOneBelow)
{
    ScreenStack stack;
    PointerEvent press;
    press.down = true;
    KeyEvent key;
    key.code = KEY_ENTER;
    EXPECT_FALSE(stack.pointer_button(press));
    RecordingScreen& first = open(stack, ScreenKind::FULL);
    RecordingScreen& second = open(stack, ScreenKind::FULL);
    EXPECT_TRUE(stack.pointer_button(press));
    EXPECT_TRUE(stack.key(key));
    EXPECT_TRUE(stack.text(u"a"));
    EXPECT_EQ(second.input, "down 0,0\nkey Enter up\ntext a\n");
    EXPECT_EQ(first.input, "");

    const std::unique_ptr<Element> removed = stack.remove(&second);
    EXPECT_EQ(stack.remove(&second), nullptr);
    EXPECT_TRUE(stack.text(u"b"));
    EXPECT_EQ(first.input, "text b\n");
}

TEST(ScreenStack, NeedsRedrawFollowsTheTopScreen)
{
    ScreenStack stack;
    RenderSurface frame(CLIENT);
    RecordingScreen& screen = open(stack, ScreenKind::FULL);
    stack.advance(0.04, CLIENT);
    EXPECT_TRUE(stack.needs_redraw());
    stack.render(frame);
    EXPECT_FALSE(stack.needs_redraw());
    screen.request_repaint();
    EXPECT_TRUE(stack.needs_redraw());
}

} // namespace

} // namespace stellaro
