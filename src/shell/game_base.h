#pragma once
#include "platform/sdl_window.h"
#include "shell/active_scheduler.h"
#include "shell/frame_clock.h"
#include "shell/screen_info.h"
#include "skin/surface/render_surface.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace stellaro {

class Application;

// How the window opens.
struct WindowSettings {
    int32_t width = 480;
    int32_t height = 800;
    // Quarter turns of the frame on its way to the window (0, 1, 2, 3 for 0, 90, 180, 270 degrees).
    int32_t orientation = 0;
    // No window at all (headless rendering): the client area is simply width x height.
    bool headless = false;
};

// The platform half of the shell: the window and its events, the pacing of frames and the
// frame's way to the window (turned in software to the orientation setting), the scheduler, and
// the command lines of later starts. Made and owned by the Application, the process's one instance.
//
// Frames are paced: while something moves (a repaint was asked for, or the last frame step
// changed the picture) frame steps follow the display's refresh rate; otherwise the loop sleeps
// in its wait until input comes or until the wait the screens asked for (Element::
// request_frame_after) is over. Out of focus, such waits last at least UNFOCUSED_WAIT_MS; while
// the window is hidden no frames are made at all.
class GameBase {
public:
    // How often command lines of later starts are looked for while the loop has nothing to do.
    static constexpr int32_t HAND_OVER_POLL_MS = 100;
    static constexpr int32_t NO_RELEASE = -1000000;
    // Out of focus a wait asked for by the screens lasts at least this long: the sky still follows
    // the clock once a second, its twinkle rests.
    static constexpr double UNFOCUSED_WAIT_MS = 1000.0;

    GameBase(std::u16string title, const WindowSettings& settings);
    ~GameBase();
    GameBase(const GameBase&) = delete;
    GameBase& operator=(const GameBase&) = delete;

    bool has_window() const { return window != nullptr; }
    // Why the window could not be opened.
    const std::string& window_error() const { return error; }
    SdlWindow* sdl_window() const { return window.get(); }

    // The message loop: until the window is closed (and the listener agrees) or `quit`.
    void run();
    void quit() { quitting = true; }
    // A quit was asked for and the loop has not started again since.
    bool quit_requested() const { return quitting; }
    // Handles one window event as the loop does (tests feed events through this).
    void handle_event(const WindowEvent& event);
    // One frame step at the tick: advance and, when something changed (or `force`), draw and show.
    void frame(uint32_t now_tick, bool force = false);
    // Draws the screens into the frame surface and shows it in the window.
    void render_and_present();
    // When the loop makes its next frame step; nothing while it would only wait for input.
    std::optional<uint32_t> next_frame_tick() const;
    // Milliseconds between frames while something moves: the display's refresh rate.
    double frame_interval_ms() const { return interval_ms; }
    // Frames drawn since the window opened.
    uint64_t frames_drawn() const { return drawn; }

    ScreenInfo screen_info() const;
    // The frame's size: the window's client size, turned with the orientation.
    Size frame_size() const;
    int32_t orientation() const { return turns; }
    void set_orientation(int32_t quarter_turns);
    const RenderSurface& frame_surface() const { return back; }

    void suspend_frames();
    bool idle() const { return idle_; }
    // Not focused: frames go on, slower when nothing moves.
    bool paused() const { return paused_; }
    // Minimised: no frames.
    bool hidden() const { return hidden_; }
    void minimize();
    void bring_to_front();
    void hold_screensaver(bool hold);
    // Starts (or moves) the window's text input with its input method over a frame rectangle.
    void start_text_input(Point origin, Size size);
    // Ends it; true when an on-screen keyboard was up at that moment.
    bool end_text_input();

    CActiveScheduler& scheduler() { return scheduler_; }
    // Completes the object after delay_ms on the main thread.
    void add_timer(uint32_t delay_ms, CActive& object);

    // Shows the text in a message box with the window's title (stderr when none can be shown).
    void message_box(std::u16string_view text) const;

private:
    // Keeps the wait the screens asked for since the last look.
    void collect_frame_wait(uint32_t now_tick);
    // The frame's time step: motion goes on from the last frame; after a rest it starts with one
    // frame interval; a wake that was asked for counts the whole wait.
    double frame_step(uint32_t now_tick, bool asked, bool force);
    // The display-paced tick of the frame after the one made now.
    void pace_after(uint32_t now_tick);
    // Logs the frames and time of a run of moving frames once it ends.
    void note_motion(uint32_t now_tick, bool shown, bool changed);
    void pointer_button(const WindowEvent& event, bool down);
    void release(bool cancelled, uint32_t time);
    void key(const WindowEvent& event);
    void text(const WindowEvent& event);
    void resolution_changed();
    Point to_frame(int x, int y) const;
    int wait_timeout();
    void take_command_lines();

    std::u16string title;
    CActiveScheduler scheduler_;
    std::unique_ptr<SdlWindow> window;
    std::string error;
    FrameClock clock;
    ScreenInfo info;
    RenderSurface back;
    std::vector<uint16_t> turned;
    int32_t turns = 0;
    // The client size without a window, for headless runs.
    Size headless_size;
    bool paused_ = false;
    bool idle_ = false;
    bool hidden_ = false;
    bool pressed = false;
    bool quitting = false;
    // The last frame step changed the picture: the next follows at the display's pace.
    bool animating = false;
    double interval_ms = 0.0;
    // The display-paced tick for the next frame; the fraction of a millisecond carries over so
    // that frames average the display's rate.
    uint32_t paced_tick = 0;
    double paced_fraction = 0.0;
    // The end of the wait the screens asked for, when they did.
    std::optional<uint32_t> wake_tick;
    uint64_t drawn = 0;
    uint32_t motion_start = 0;
    uint32_t motion_end = 0;
    uint32_t motion_frames = 0;
    Point last_release{NO_RELEASE, NO_RELEASE};
    uint32_t next_hand_over_poll = 0;
};

} // namespace stellaro
