#include "shell/application.h"
#include "shell/display_rotation.h"
#include "shell/running_instance.h"
#include "shell_test_support.h"

#include "support/test_support.h"

#include <SDL2/SDL.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace stellaro {

namespace {

class Listener : public ApplicationListener {
public:
    void on_command_line(std::u16string_view text) override
    {
        command_lines.emplace_back(text);
        if (Application::instance())
            Application::instance()->quit();
    }
    bool on_close() override { return ++close_requests > refusals; }
    bool on_wheel(Point point, int steps) override
    {
        wheel_point = point;
        wheel_steps += steps;
        return true;
    }
    void on_screen_closed(Element* screen, ScreenClosing) override { closed.push_back(screen); }
    void on_resolution_changed() override { ++resolution_changes; }
    void on_help() override {}
    void on_deactivated() override { ++deactivations; }
    void on_activated() override { ++activations; }
    bool filter_key(const KeyEvent& event) override { return event.code == KEY_SOFT_RIGHT; }

    std::vector<std::u16string> command_lines;
    int close_requests = 0;
    int refusals = 0;
    Point wheel_point{-1, -1};
    int wheel_steps = 0;
    std::vector<Element*> closed;
    int resolution_changes = 0;
    int deactivations = 0;
    int activations = 0;
};

class ApplicationTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(application.has_window()) << application.window_error();
        application.set_listener(&listener);
        application.push_screen(std::move(owned_screen));
    }
    void TearDown() override { application.set_listener(nullptr); }

    WindowEvent event(WindowEvent::Kind kind, int x = 0, int y = 0)
    {
        WindowEvent made;
        made.kind = kind;
        made.x = x;
        made.y = y;
        return made;
    }
    WindowEvent key(WindowEvent::Kind kind, uint32_t virtual_key, bool repeat = false)
    {
        WindowEvent made = event(kind);
        made.virtual_key = virtual_key;
        made.repeat = repeat;
        return made;
    }
    GameBase& game() { return application.game_base(); }

    // Runs the loop; should it not end by itself within seconds, a close request ends it.
    void run_loop()
    {
        std::mutex mutex;
        std::condition_variable ended;
        bool done = false;
        std::thread watchdog([&] {
            std::unique_lock lock(mutex);
            if (!ended.wait_for(lock, std::chrono::seconds(10), [&] { return done; })) {
                ADD_FAILURE() << "the loop did not end by itself";
                SDL_Event quit {};
                quit.type = SDL_QUIT;
                SDL_PushEvent(&quit);
            }
        });
        application.run();
        {
            std::lock_guard lock(mutex);
            done = true;
        }
        ended.notify_one();
        watchdog.join();
    }

    OffscreenWindow offscreen;
    Application application{u"Stellaro Test", WindowSettings{120, 200, 0}};
    std::unique_ptr<RecordingScreen> owned_screen = std::make_unique<RecordingScreen>();
    // The screen stack owns the screen once it is open.
    RecordingScreen& screen = *owned_screen;
    Listener listener;
};

using Kind = WindowEvent::Kind;

TEST_F(ApplicationTest, TheClientAreaIsTheWindowAndTheFrameReachesItPixelForPixel)
{
    const ScreenInfo area = application.client_area();
    EXPECT_EQ(area.client_width, 120);
    EXPECT_EQ(area.client_height, 200);
    EXPECT_EQ(area.orientation, 0);
    game().frame(1000, true);
    ASSERT_EQ(game().frame_surface().size(), (Size{120, 200}));
    EXPECT_EQ(game().frame_surface().pixel({60, 100}), to_pixel(screen.colour));
    std::vector<uint16_t> shown(120 * 200);
    ASSERT_TRUE(game().sdl_window()->read_back(shown.data(), 120, 200));
    EXPECT_EQ(shown[100 * 120 + 60], to_pixel(screen.colour));
}

TEST_F(ApplicationTest, PressMoveAndReleaseReachTheTopScreen)
{
    game().handle_event(event(Kind::POINTER_DOWN, 10, 20));
    game().handle_event(event(Kind::POINTER_MOVE, 12, 25));
    game().handle_event(event(Kind::POINTER_UP, 14, 30));
    ASSERT_EQ(screen.buttons.size(), 2u);
    EXPECT_TRUE(screen.buttons[0].down);
    EXPECT_EQ(screen.buttons[0].x, 10);
    EXPECT_EQ(screen.buttons[0].y, 20);
    ASSERT_EQ(screen.moves.size(), 1u);
    EXPECT_EQ(screen.moves[0].x, 12);
    EXPECT_FALSE(screen.buttons[1].down);
    EXPECT_FALSE(screen.buttons[1].cancelled);
    EXPECT_EQ(screen.buttons[1].x, 14);
    EXPECT_EQ(screen.buttons[1].y, 30);
    // A second release without a press is not passed on.
    game().handle_event(event(Kind::POINTER_UP, 14, 30));
    EXPECT_EQ(screen.buttons.size(), 2u);
}

TEST_F(ApplicationTest, ACaptureLostWhilePressedEndsThePressAsCancelled)
{
    game().handle_event(event(Kind::POINTER_DOWN, 5, 5));
    game().handle_event(event(Kind::CAPTURE_LOST));
    game().handle_event(event(Kind::DEACTIVATED));
    ASSERT_EQ(screen.buttons.size(), 2u);
    EXPECT_FALSE(screen.buttons[1].down);
    EXPECT_TRUE(screen.buttons[1].cancelled);
    EXPECT_EQ(screen.buttons[1].x, GameBase::NO_RELEASE);
    EXPECT_TRUE(game().paused());
    EXPECT_EQ(listener.deactivations, 1);
    // Lost again with nothing pressed: nothing more.
    game().handle_event(event(Kind::CAPTURE_LOST));
    EXPECT_EQ(screen.buttons.size(), 2u);
    game().handle_event(event(Kind::ACTIVATED));
    EXPECT_FALSE(game().paused());
    EXPECT_EQ(listener.activations, 1);
}

TEST_F(ApplicationTest, KeysCarryTheirCodeAndTheRepeatFlagAndTheListenerSeesThemFirst)
{
    game().handle_event(key(Kind::KEY_DOWN, 'A'));
    game().handle_event(key(Kind::KEY_DOWN, 'A', true));
    game().handle_event(key(Kind::KEY_DOWN, 'A', true));
    game().handle_event(key(Kind::KEY_UP, 'A'));
    ASSERT_EQ(screen.keys.size(), 4u);
    EXPECT_EQ(screen.keys[0].code, KEY_A);
    EXPECT_TRUE(screen.keys[0].down);
    EXPECT_TRUE(screen.keys[0].first);
    EXPECT_FALSE(screen.keys[1].first);
    EXPECT_FALSE(screen.keys[2].first);
    EXPECT_FALSE(screen.keys[3].down);
    EXPECT_TRUE(screen.keys[3].first);
    // F2 is the right soft key, which this listener keeps for itself.
    game().handle_event(key(Kind::KEY_DOWN, 113));
    EXPECT_EQ(screen.keys.size(), 4u);
    game().handle_event(key(Kind::KEY_DOWN, 27));
    EXPECT_EQ(screen.keys.back().code, KEY_BACKSPACE);
}

TEST_F(ApplicationTest, TypedTextArrivesOneCharacterAtATimeWithoutControlCharacters)
{
    WindowEvent typed = event(Kind::TEXT);
    typed.text = "a\xc3\xa9\x01\xf0\x9f\x8c\x99";
    game().handle_event(typed);
    ASSERT_EQ(screen.texts.size(), 3u);
    EXPECT_EQ(screen.texts[0], u"a");
    EXPECT_EQ(screen.texts[1], u"\u00e9");
    EXPECT_EQ(screen.texts[2], u"\U0001F319");
}

TEST_F(ApplicationTest, TheWheelGoesToTheListenerAtTheFramePoint)
{
    WindowEvent wheel = event(Kind::WHEEL, 30, 40);
    wheel.wheel = -2;
    game().handle_event(wheel);
    EXPECT_EQ(listener.wheel_steps, -2);
    EXPECT_EQ(listener.wheel_point, (Point{30, 40}));
}

TEST_F(ApplicationTest, EachOrientationTurnsTheFramePointerAndArrowKeys)
{
    for (int turns = 0; turns < 4; ++turns) {
        SCOPED_TRACE(turns);
        game().set_orientation(turns);
        const Size frame = game().frame_size();
        EXPECT_EQ(frame, (turns % 2 ? Size{200, 120} : Size{120, 200}));
        EXPECT_EQ(application.client_area().orientation, turns);
        game().frame(1000, true);
        EXPECT_EQ(screen.width(), frame.width);
        EXPECT_EQ(screen.height(), frame.height);

        // The window shows the frame turned: compare with the rotation of the frame itself.
        std::vector<uint16_t> expected(120 * 200);
        const PixelBuffer& pixels = *game().frame_surface().buffer();
        rotate_frame(reinterpret_cast<const uint16_t*>(pixels.bits()), frame.width, frame.height, static_cast<int>(pixels.pitch() / 2),
                     expected.data(), turns);
        std::vector<uint16_t> shown(120 * 200);
        ASSERT_TRUE(game().sdl_window()->read_back(shown.data(), 120, 200));
        EXPECT_EQ(shown, expected);

        screen.buttons.clear();
        game().handle_event(event(Kind::POINTER_DOWN, 0, 0));
        game().handle_event(event(Kind::POINTER_UP, 0, 0));
        ASSERT_EQ(screen.buttons.size(), 2u);
        Point point;
        window_to_frame(0, 0, frame.width, frame.height, turns, point.x, point.y);
        EXPECT_EQ((Point{screen.buttons[0].x, screen.buttons[0].y}), point);

        screen.keys.clear();
        game().handle_event(key(Kind::KEY_DOWN, 37));
        ASSERT_EQ(screen.keys.size(), 1u);
        const uint8_t turned_left[] = {KEY_LEFT, KEY_UP, KEY_RIGHT, KEY_DOWN};
        EXPECT_EQ(screen.keys[0].code, turned_left[turns]);
    }
    EXPECT_EQ(listener.resolution_changes, 3);
    // A turn by one quarter maps the window's top-left corner to the frame's top-right one.
    game().set_orientation(1);
    screen.buttons.clear();
    game().handle_event(event(Kind::POINTER_DOWN, 0, 0));
    EXPECT_EQ(screen.buttons[0].x, 199);
    EXPECT_EQ(screen.buttons[0].y, 0);
}

TEST_F(ApplicationTest, ClosingCanBeRefusedByTheListener)
{
    listener.refusals = 1;
    SDL_Event quit {};
    quit.type = SDL_QUIT;
    SDL_PushEvent(&quit);
    SDL_PushEvent(&quit);
    run_loop();
    EXPECT_EQ(listener.close_requests, 2);
}

TEST_F(ApplicationTest, RemovingAScreenTellsTheListener)
{
    const std::unique_ptr<Element> closed = application.remove_screen(&screen);
    EXPECT_EQ(closed.get(), &screen);
    ASSERT_EQ(listener.closed.size(), 1u);
    EXPECT_EQ(listener.closed[0], &screen);
    EXPECT_EQ(application.screens().top(), nullptr);
    game().frame(1000, true);
}

struct Quitter : CActive {
    using CActive::CActive;
    void run() override
    {
        ran_on = std::this_thread::get_id();
        Application::instance()->quit();
    }
    std::thread::id ran_on;
};

TEST_F(ApplicationTest, ACompletionFromAnotherThreadRunsInTheLoopOnTheMainThread)
{
    Quitter quitter(7);
    CActiveScheduler& scheduler = game().scheduler();
    scheduler.set_active(quitter);
    std::thread worker([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        scheduler.complete(quitter);
    });
    run_loop();
    worker.join();
    EXPECT_EQ(quitter.ran_on, std::this_thread::get_id());
    EXPECT_FALSE(quitter.is_active());
    // Frames went on meanwhile: the screen was laid out and drawn.
    EXPECT_EQ(screen.width(), 120);
    EXPECT_EQ(game().frame_surface().pixel({1, 1}), to_pixel(screen.colour));
}

TEST_F(ApplicationTest, ATimerCompletesItsObjectInTheLoop)
{
    Quitter quitter(8);
    game().scheduler().set_active(quitter);
    game().add_timer(60, quitter);
    run_loop();
    EXPECT_FALSE(quitter.is_active());
    EXPECT_EQ(quitter.ran_on, std::this_thread::get_id());
}

TEST_F(ApplicationTest, FramesStopWhileSuspendedUntilTheNextInput)
{
    game().suspend_frames();
    EXPECT_TRUE(game().idle());
    game().handle_event(event(Kind::POINTER_MOVE, 1, 1));
    EXPECT_FALSE(game().idle());
    game().suspend_frames();
    game().handle_event(key(Kind::KEY_DOWN, 'B'));
    EXPECT_FALSE(game().idle());
}

TEST_F(ApplicationTest, BacklightHoldsCount)
{
    EXPECT_EQ(BacklightHold::count(), 0);
    {
        BacklightHold first;
        BacklightHold second;
        EXPECT_EQ(BacklightHold::count(), 2);
        EXPECT_FALSE(SDL_IsScreenSaverEnabled());
    }
    EXPECT_EQ(BacklightHold::count(), 0);
    EXPECT_TRUE(SDL_IsScreenSaverEnabled());
}

TEST_F(ApplicationTest, ALaterStartHandsItsCommandLineToTheRunningLoop)
{
    TemporaryFolder run_folder;
    setenv("STELLARO_RUNTIME_DIR", (run_folder.path() + "/run").c_str(), 1);
    ASSERT_FALSE(show_running_instance({}, u"Stellaro Test"));
    const pid_t child = fork();
    if (child == 0)
        _exit(show_running_instance({"run", "--lat", "48.1"}, u"Stellaro Test") ? 0 : 1);
    run_loop();
    int status = -1;
    waitpid(child, &status, 0);
    close_running_instance();
    unsetenv("STELLARO_RUNTIME_DIR");
    EXPECT_EQ(WEXITSTATUS(status), 0);
    ASSERT_EQ(listener.command_lines.size(), 1u);
    EXPECT_EQ(listener.command_lines[0], u"run --lat 48.1");
}

TEST(ApplicationWithoutDisplay, HasNoWindowAndSaysWhy)
{
    // No driver named and no display to reach: SDL's invisible fallback does not count.
    const char* display = getenv("DISPLAY");
    const std::string saved = display ? display : "";
    unsetenv("DISPLAY");
    unsetenv("WAYLAND_DISPLAY");
    unsetenv("SDL_VIDEODRIVER");
    {
        Application application(u"Stellaro Test");
        EXPECT_FALSE(application.has_window());
        EXPECT_FALSE(application.window_error().empty());
        application.run();
        EXPECT_EQ(application.client_area().client_width, 0);
    }
    if (display)
        setenv("DISPLAY", saved.c_str(), 1);
}

} // namespace

} // namespace stellaro
