#pragma once
#include <cstdint>
#include <memory>
#include <string>

namespace stellaro {

// An input or window event, as the shell sees it (window coordinates, UTF-8 text).
struct WindowEvent {
    enum class Kind {
        NONE,
        QUIT,          // the window was closed or the process asked to end
        WAKE,          // another thread asked the main loop to look at its queue
        POINTER_DOWN,
        POINTER_MOVE,
        POINTER_UP,
        CAPTURE_LOST,  // the pointer went away while pressed (focus lost)
        WHEEL,
        KEY_DOWN,
        KEY_UP,
        TEXT,
        ACTIVATED,     // the window has the keyboard focus
        DEACTIVATED,   // the focus went to another window
        SHOWN,         // the window can be seen again (restored)
        HIDDEN,        // nothing of the window can be seen (minimised)
        RESIZED,
        EXPOSED,
    };
    Kind kind = Kind::NONE;
    int x = 0;
    int y = 0;
    uint32_t time = 0;        // milliseconds, the event's time stamp
    uint32_t virtual_key = 0; // keys as Windows virtual-key codes
    bool repeat = false;      // an auto-repeated key down
    int wheel = 0;            // wheel steps, positive away from the user
    std::string text;
};

// The program's window on SDL2: frames arrive as RGB565 and go to a streaming texture of SDL's
// software renderer, which copies them into the window's own pixels. The frames are drawn in
// software anyway; a graphics driver would only add its libraries (most of the process's memory)
// to show them.
class SdlWindow {
public:
    // Opens a window of the given size; on failure returns nothing and says why in `error`. SDL
    // falls back to an invisible window when there is no display: that counts as a failure
    // unless SDL_VIDEODRIVER asked for such a driver (tests).
    static std::unique_ptr<SdlWindow> open(const std::string& title, int width, int height, std::string& error);
    ~SdlWindow();
    SdlWindow(const SdlWindow&) = delete;
    SdlWindow& operator=(const SdlWindow&) = delete;

    // The video driver in use ("x11", "wayland", "offscreen", ...).
    std::string driver() const;
    void client_size(int& width, int& height) const;

    // Waits for the next event, at most timeout_ms (-1: without limit); false when none came.
    bool wait_event(WindowEvent& event, int timeout_ms);
    // The refresh rate of the display the window is on, as SDL reports it; 0 when unknown.
    int refresh_rate_hz() const;
    // Makes wait_event return a WAKE event; callable from any thread. Calls made while a WAKE
    // event waits in the queue add nothing.
    static void wake();

    // Shows a frame of width x height pixels (pitch in bytes), already turned to the window's way up.
    bool present(const uint16_t* pixels, int width, int height, int pitch_bytes);
    // Reads back what the last present showed, as RGB565 (tests and screenshots): the texture is
    // drawn again without presenting, since the presented buffer is undefined afterwards.
    bool read_back(uint16_t* pixels, int width, int height);

    void start_text_input(int x, int y, int width, int height);
    void stop_text_input();
    // Ends the text input of an edit field: the input method closes and an on-screen keyboard
    // goes away; where there is none, typed text keeps reaching the screens as before.
    void end_text_input();
    // True while an on-screen keyboard is shown over the window.
    bool screen_keyboard_shown() const;
    void minimize();
    void bring_to_front();
    void hold_screensaver(bool hold);

private:
    SdlWindow() = default;
    struct State;
    std::unique_ptr<State> state;
};

// A message box when one can be shown, else the message on stderr.
void show_message(const std::string& title, const std::string& message);

} // namespace stellaro
