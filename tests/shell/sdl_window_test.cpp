#include "platform/sdl_window.h"
#include "shell_test_support.h"
#include "skin/elements/keys.h"

#include <SDL2/SDL.h>

#include <gtest/gtest.h>

namespace stellaro {

namespace {

class SdlWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string error;
        window = SdlWindow::open("Stellaro Test", 64, 48, error);
        ASSERT_TRUE(window) << error;
        // Whatever the window said about itself on opening is not part of these tests.
        SDL_PumpEvents();
        SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    }

    WindowEvent next()
    {
        WindowEvent event;
        EXPECT_TRUE(window->wait_event(event, 1000));
        return event;
    }
    // Nothing more comes within a moment.
    bool quiet()
    {
        WindowEvent event;
        return !window->wait_event(event, 50);
    }

    void push_key(Uint32 type, SDL_Keycode key, SDL_Scancode scancode = SDL_SCANCODE_UNKNOWN, bool repeat = false)
    {
        SDL_Event event {};
        event.type = type;
        event.key.keysym.sym = key;
        event.key.keysym.scancode = scancode;
        event.key.repeat = repeat ? 1 : 0;
        SDL_PushEvent(&event);
    }

    OffscreenWindow offscreen;
    std::unique_ptr<SdlWindow> window;
};

using Kind = WindowEvent::Kind;

TEST_F(SdlWindowTest, KeysBecomeTheVirtualKeysOfThePhoneKeyTable)
{
    // A phone key, the keypad, the back key, a letter and an arrow.
    const std::pair<SDL_Keycode, uint8_t> keys[] = {
        {SDLK_F1, KEY_SOFT_LEFT}, {SDLK_KP_MULTIPLY, KEY_STAR}, {SDLK_KP_7, KEY_0 + 7},
        {SDLK_ESCAPE, KEY_BACKSPACE}, {SDLK_z, KEY_Z}, {SDLK_LEFT, KEY_LEFT},
    };
    for (const auto& [key, code] : keys) {
        push_key(SDL_KEYDOWN, key);
        const WindowEvent event = next();
        EXPECT_EQ(event.kind, Kind::KEY_DOWN) << key;
        EXPECT_EQ(key_from_virtual_key(event.virtual_key), code) << SDL_GetKeyName(key);
    }
    // A Cyrillic layout's letter key still counts by its place on the keyboard.
    push_key(SDL_KEYDOWN, 0x0444, SDL_SCANCODE_A);
    EXPECT_EQ(next().virtual_key, static_cast<uint32_t>('A'));
    // Keys without any counterpart are not passed on; the repeat flag is.
    push_key(SDL_KEYDOWN, SDLK_PRINTSCREEN);
    push_key(SDL_KEYDOWN, SDLK_UP, SDL_SCANCODE_UP, true);
    const WindowEvent repeated = next();
    EXPECT_EQ(repeated.virtual_key, 38u);
    EXPECT_TRUE(repeated.repeat);
    push_key(SDL_KEYUP, SDLK_UP);
    EXPECT_EQ(next().kind, Kind::KEY_UP);
}

TEST_F(SdlWindowTest, LosingFocusWhilePressedEndsThePressFirstAndStillDeactivates)
{
    SDL_Event press {};
    press.type = SDL_MOUSEBUTTONDOWN;
    press.button.button = SDL_BUTTON_LEFT;
    press.button.x = 5;
    press.button.y = 6;
    SDL_PushEvent(&press);
    SDL_Event focus {};
    focus.type = SDL_WINDOWEVENT;
    focus.window.event = SDL_WINDOWEVENT_FOCUS_LOST;
    SDL_PushEvent(&focus);
    const WindowEvent down = next();
    EXPECT_EQ(down.kind, Kind::POINTER_DOWN);
    EXPECT_EQ(down.x, 5);
    EXPECT_EQ(next().kind, Kind::CAPTURE_LOST);
    EXPECT_EQ(next().kind, Kind::DEACTIVATED);
    // The release that follows late belongs to no press.
    SDL_Event release = press;
    release.type = SDL_MOUSEBUTTONUP;
    SDL_PushEvent(&release);
    EXPECT_TRUE(quiet());
}

TEST_F(SdlWindowTest, WakesDoNotPileUp)
{
    for (int i = 0; i < 100; ++i)
        SdlWindow::wake();
    EXPECT_EQ(next().kind, Kind::WAKE);
    EXPECT_TRUE(quiet());
    SdlWindow::wake();
    EXPECT_EQ(next().kind, Kind::WAKE);
}

// Minimising is not losing the focus: a hidden window makes no frames, an unfocused one does.
TEST_F(SdlWindowTest, MinimisingAndRestoringHideAndShowTheWindow)
{
    SDL_Event change {};
    change.type = SDL_WINDOWEVENT;
    for (const Uint8 what : {SDL_WINDOWEVENT_MINIMIZED, SDL_WINDOWEVENT_RESTORED, SDL_WINDOWEVENT_FOCUS_LOST}) {
        change.window.event = what;
        SDL_PushEvent(&change);
    }
    EXPECT_EQ(next().kind, Kind::HIDDEN);
    EXPECT_EQ(next().kind, Kind::SHOWN);
    EXPECT_EQ(next().kind, Kind::DEACTIVATED);
}

TEST(Keys, EveryKeyNameReadsBackAsItsKey)
{
    for (int code = 0; code <= 64; ++code) {
        const auto name = key_name(static_cast<uint8_t>(code));
        ASSERT_TRUE(name) << code;
        EXPECT_EQ(key_from_name(*name), code);
    }
    EXPECT_FALSE(key_name(65));
    EXPECT_FALSE(key_from_name("soft_left"));
}

} // namespace

} // namespace stellaro
