#include "platform/clock.h"
#include "shell/application.h"
#include "shell/display_rotation.h"
#include "shell/running_instance.h"
#include "skin/io/registry.h"
#include "skin/kinds/edit_element.h"
#include "shell_test_support.h"

#include <SDL2/SDL.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace stellaro {

namespace {

class Listener : public ApplicationListener {
public:
    void on_command_line(std::u16string_view text) override
    {
        command_lines.emplace_back(text);
        Application::instance()->quit();
    }
    bool on_close() override { return ++close_requests > refusals; }
    bool on_wheel(Point point, int steps) override
    {
        wheel = {point, steps};
        return true;
    }
    void on_screen_closed(Element* screen, ScreenClosing) override { closed.push_back(screen); }
    void on_resolution_changed() override { ++resolution_changes; }
    void on_help() override {}
    void on_deactivated() override { activity += "-"; }
    void on_activated() override { activity += "+"; }
    // F2, the right soft key, is kept from the screens.
    bool filter_key(const KeyEvent& event) override { return event.code == KEY_SOFT_RIGHT; }

    std::vector<std::u16string> command_lines;
    int close_requests = 0;
    int refusals = 0;
    int resolution_changes = 0;
    std::pair<Point, int> wheel;
    std::string activity;
    std::vector<Element*> closed;
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

    // Handles the events in turn, as the loop does.
    void handle(std::initializer_list<WindowEvent> events)
    {
        for (const WindowEvent& event : events)
            game().handle_event(event);
    }
    GameBase& game() { return application.game_base(); }

    // Runs the loop; should it not end by itself within seconds, a close request ends it.
    void run_loop()
    {
        const SDL_TimerID watchdog = SDL_AddTimer(10000, [](Uint32, void*) -> Uint32 {
            SDL_Event quit {};
            quit.type = SDL_QUIT;
            SDL_PushEvent(&quit);
            return 0;
        }, nullptr);
        application.run();
        EXPECT_TRUE(SDL_RemoveTimer(watchdog)) << "the loop did not end by itself";
    }

    OffscreenWindow offscreen;
    Application application{u"Stellaro Test", WindowSettings{120, 200, 0}};
    std::unique_ptr<RecordingScreen> owned_screen = std::make_unique<RecordingScreen>();
    // The screen stack owns the screen once it is open.
    RecordingScreen& screen = *owned_screen;
    Listener listener;
};

using Kind = WindowEvent::Kind;

WindowEvent event(Kind kind, int x = 0, int y = 0)
{
    WindowEvent made;
    made.kind = kind;
    made.x = x;
    made.y = y;
    return made;
}

WindowEvent key(Kind kind, uint32_t virtual_key, bool repeat = false)
{
    WindowEvent made = event(kind);
    made.virtual_key = virtual_key;
    made.repeat = repeat;
    return made;
}

TEST_F(ApplicationTest, PointerKeysAndTextReachTheTopScreen)
{
    handle({event(Kind::POINTER_DOWN, 10, 20), event(Kind::POINTER_MOVE, 12, 25),
            event(Kind::POINTER_UP, 14, 30),
            // A second release without a press is not passed on.
            event(Kind::POINTER_UP, 14, 30)});
    handle({key(Kind::KEY_DOWN, 'A'), key(Kind::KEY_DOWN, 'A', true), key(Kind::KEY_UP, 'A'),
            // The listener keeps F2 for itself; Escape is the phone's back key.
            key(Kind::KEY_DOWN, 113), key(Kind::KEY_DOWN, 27)});
    // One character at a time, without control characters.
    WindowEvent typed = event(Kind::TEXT);
    typed.text = "a\xc3\xa9\x01\xf0\x9f\x8c\x99";
    handle({typed});
    EXPECT_EQ(screen.input, "down 10,20\nmove 12,25\nup 14,30\n"
                            "key A down\nkey A repeat\nkey A up\nkey Backspace down\n"
                            "text a\ntext \xc3\xa9\ntext \xf0\x9f\x8c\x99\n");
    // The wheel goes to the listener at the frame point.
    WindowEvent wheel = event(Kind::WHEEL, 30, 40);
    wheel.wheel = -2;
    handle({wheel});
    EXPECT_EQ(listener.wheel, (std::pair<Point, int>{{30, 40}, -2}));
}

// The application is the process's edit host while it lives: the active field gets the window's
// text input, and its end keeps the on-screen keyboard state (none here) as SIPPreference.
TEST_F(ApplicationTest, EditingAFieldUsesTheWindowsTextInputAndKeepsTheKeyboardState)
{
    TemporaryRegistry registry;
    EditElement field;
    field.set_visible(true);
    field.set_horizontal(10, 80);
    field.set_vertical(20, 30);
    field.begin_edit();
    EXPECT_EQ(edit_host().active_edit(), &field);
    EXPECT_TRUE(SDL_IsTextInputActive());
    application.set_active_edit(nullptr);
    uint32_t kept = 7;
    EXPECT_TRUE(reg_get_dword(Application::SIP_KEY, Application::SIP_VALUE, kept));
    EXPECT_EQ(kept, 0u);
    // A desktop keyboard still types to the screens afterwards.
    EXPECT_TRUE(SDL_IsTextInputActive());
}

TEST_F(ApplicationTest, ACaptureLostWhilePressedEndsThePressAsCancelled)
{
    handle({event(Kind::POINTER_DOWN, 5, 5), event(Kind::CAPTURE_LOST), event(Kind::DEACTIVATED),
            // Lost again with nothing pressed: nothing more.
            event(Kind::CAPTURE_LOST)});
    EXPECT_EQ(screen.input, "down 5,5\ncancel " + std::to_string(GameBase::NO_RELEASE) + "," +
                                std::to_string(GameBase::NO_RELEASE) + "\n");
    EXPECT_TRUE(game().paused());
    handle({event(Kind::ACTIVATED)});
    EXPECT_FALSE(game().paused());
    EXPECT_EQ(listener.activity, "-+");
}

TEST_F(ApplicationTest, EachOrientationTurnsTheFramePointerAndArrowKeys)
{
    // The frame point under the window's top-left corner, and what the left arrow becomes.
    const char* corner[] = {"0,0", "199,0", "119,199", "0,119"};
    const char* turned_left[] = {"Left", "Up", "Right", "Down"};
    for (int turns = 0; turns < 4; ++turns) {
        SCOPED_TRACE(turns);
        game().set_orientation(turns);
        const Size frame = game().frame_size();
        EXPECT_EQ(frame, (turns % 2 ? Size{200, 120} : Size{120, 200}));
        EXPECT_EQ(application.client_area().orientation, turns);
        game().frame(1000, true);
        EXPECT_EQ((Size{screen.width(), screen.height()}), frame);

        // The window shows the frame turned, pixel for pixel.
        std::vector<uint16_t> expected(120 * 200);
        const PixelBuffer& pixels = *game().frame_surface().buffer();
        rotate_frame(reinterpret_cast<const uint16_t*>(pixels.bits()), frame.width, frame.height,
                     static_cast<int>(pixels.pitch() / 2), expected.data(), turns);
        std::vector<uint16_t> shown(120 * 200);
        ASSERT_TRUE(game().sdl_window()->read_back(shown.data(), 120, 200));
        EXPECT_EQ(shown, expected);

        screen.input.clear();
        handle({event(Kind::POINTER_DOWN), key(Kind::KEY_DOWN, 37), event(Kind::POINTER_UP)});
        EXPECT_EQ(screen.input, std::string("down ") + corner[turns] + "\nkey " + turned_left[turns] + " down\nup " +
                                    corner[turns] + "\n");
    }
    EXPECT_EQ(listener.resolution_changes, 3);
}

TEST_F(ApplicationTest, TheListenerMayRefuseClosingAndIsToldOfARemovedScreen)
{
    listener.refusals = 1;
    SDL_Event quit {};
    quit.type = SDL_QUIT;
    SDL_PushEvent(&quit);
    SDL_PushEvent(&quit);
    run_loop();
    EXPECT_EQ(listener.close_requests, 2);

    const std::unique_ptr<Element> closed = application.remove_screen(&screen);
    EXPECT_EQ(listener.closed, std::vector<Element*>{&screen});
    // An empty stack still draws.
    game().frame(1000, true);
}

TEST_F(ApplicationTest, FramesStopUntilTheNextInput)
{
    game().suspend_frames();
    EXPECT_TRUE(game().idle());
    handle({key(Kind::KEY_DOWN, 'B')});
    EXPECT_FALSE(game().idle());
}

// Quits the loop when it runs.
struct Quit : CActive {
    Quit() : CActive(0) {}
    void run() override { Application::instance()->quit(); }
};

// A screen that moves for a number of updates (asking for a repaint in each) or asks for a wake
// after a wait, and notes its updates, their time steps and its paints. At update `last_update`
// it ends the loop, at once or after letting it run on for a moment (frames made meanwhile
// would show in the counts).
class PacedScreen : public RecordingScreen {
public:
    void update(double elapsed) override
    {
        RecordingScreen::update(elapsed);
        steps.push_back(elapsed);
        if (moving_updates > 0) {
            --moving_updates;
            request_repaint();
        }
        if (wake_seconds >= 0)
            request_frame_after(wake_seconds);
        if (static_cast<int>(steps.size()) != last_update)
            return;
        if (!run_on) {
            Application::instance()->quit();
            return;
        }
        Application::instance()->game_base().scheduler().set_active(quit);
        Application::instance()->game_base().add_timer(100, quit);
    }
    void paint(RenderSurface& surface, Point origin) override
    {
        ++paints;
        RecordingScreen::paint(surface, origin);
    }

    int moving_updates = 0;
    double wake_seconds = -1;
    int last_update = -1;
    bool run_on = true;
    std::vector<double> steps;
    int paints = 0;
    Quit quit;
};

class PacingTest : public ApplicationTest {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(application.has_window()) << application.window_error();
        application.push_screen(std::move(owned_paced));
        ASSERT_EQ(application.screens().top(), &paced);
        // What the window said about itself on opening (shown, exposed) is not part of these tests.
        SDL_PumpEvents();
        SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    }
    std::unique_ptr<PacedScreen> owned_paced = std::make_unique<PacedScreen>();
    PacedScreen& paced = *owned_paced;
};

TEST_F(PacingTest, FramesAreDrawnWhileSomethingMovesAndStopWhenNothingChanges)
{
    paced.moving_updates = 5;
    paced.last_update = 6;
    run_loop();
    // Five moving frames (the first one the loop's first picture) and one more update that found
    // nothing left to move; then the loop only waits.
    EXPECT_EQ(paced.steps.size(), 6u);
    EXPECT_EQ(paced.paints, 5);
    EXPECT_EQ(game().frames_drawn(), 5u);
    EXPECT_FALSE(game().next_frame_tick());
}

TEST_F(PacingTest, AWaitAskedForWakesTheLoopWithoutInputOrDrawing)
{
    paced.wake_seconds = 0.02;
    paced.last_update = 3;
    paced.run_on = false;
    run_loop();
    // Only the first picture was drawn: the updates changed nothing.
    EXPECT_EQ(paced.steps.size(), 3u);
    EXPECT_EQ(game().frames_drawn(), 1u);
}

TEST_F(PacingTest, OutOfFocusAWaitLastsASecondMotionKeepsItsPaceAndAHiddenWindowWaitsForInput)
{
    game().frame(tick_count(), true);
    // A step that changes nothing: the window is at rest.
    game().frame(tick_count());
    const uint32_t asked = tick_count();
    paced.request_frame_after(0.02);
    handle({event(Kind::DEACTIVATED)});
    ASSERT_TRUE(game().next_frame_tick());
    EXPECT_GE(static_cast<int32_t>(*game().next_frame_tick() - asked), GameBase::UNFOCUSED_WAIT_MS);

    paced.request_repaint();
    ASSERT_TRUE(game().next_frame_tick());
    EXPECT_LE(static_cast<int32_t>(*game().next_frame_tick() - tick_count()), game().frame_interval_ms() + 1);

    handle({event(Kind::HIDDEN)});
    EXPECT_FALSE(game().next_frame_tick());
    handle({event(Kind::SHOWN)});
    EXPECT_TRUE(game().next_frame_tick());
}

// Motion moves by the time between its frames; what starts after a rest starts with one frame,
// and a wake that was asked for counts the whole wait (the twinkle goes on at its speed).
TEST_F(PacingTest, TheFrameStepCountsMotionAndAskedWaitsButNotRest)
{
    const double interval = game().frame_interval_ms() * 0.001;
    game().frame(1000, true);
    game().frame(1016);
    paced.moving_updates = 2;
    paced.request_repaint();
    game().frame(9000);
    game().frame(9016);
    // The last moving frame; from then on the screen asks to be woken after half a second.
    paced.wake_seconds = 0.5;
    game().frame(9040);
    game().frame(9540);
    ASSERT_EQ(paced.steps.size(), 6u);
    EXPECT_DOUBLE_EQ(paced.steps[2], interval);
    EXPECT_DOUBLE_EQ(paced.steps[3], 0.016);
    EXPECT_DOUBLE_EQ(paced.steps[5], 0.5);
}

// Notes the thread it ran on; the loop ends once both of a pair have run.
struct Step : CActive {
    using CActive::CActive;
    void run() override
    {
        ran_on = std::this_thread::get_id();
        if (++*finished == 2)
            Application::instance()->quit();
    }
    std::thread::id ran_on;
    int* finished = nullptr;
};

TEST_F(ApplicationTest, CompletionsFromAnotherThreadAndFromTimersRunInTheLoopOnTheMainThread)
{
    int finished = 0;
    Step completed(7), timed(8);
    CActiveScheduler& scheduler = game().scheduler();
    for (Step* step : {&completed, &timed}) {
        step->finished = &finished;
        scheduler.set_active(*step);
    }
    game().add_timer(60, timed);
    std::thread worker([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        scheduler.complete(completed);
    });
    run_loop();
    worker.join();
    for (const Step* step : {&completed, &timed}) {
        EXPECT_EQ(step->ran_on, std::this_thread::get_id());
        EXPECT_FALSE(step->is_active());
    }
}

TEST_F(ApplicationTest, ALaterStartHandsItsCommandLineToTheRunningLoop)
{
    TemporaryFolder run_folder;
    const EnvironmentGuard runtime("STELLARO_RUNTIME_DIR", run_folder.path() + "/run");
    ASSERT_FALSE(show_running_instance({}, u"Stellaro Test"));
    const pid_t child = fork();
    if (child == 0)
        _exit(show_running_instance({"run", "--lat", "48.1"}, u"Stellaro Test") ? 0 : 1);
    run_loop();
    int status = -1;
    waitpid(child, &status, 0);
    close_running_instance();
    EXPECT_EQ(WEXITSTATUS(status), 0);
    ASSERT_EQ(listener.command_lines.size(), 1u);
    EXPECT_EQ(listener.command_lines[0], u"run --lat 48.1");
}

} // namespace

} // namespace stellaro
