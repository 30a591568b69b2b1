#include "platform/sdl_window.h"

#include <SDL2/SDL.h>
#include <X11/Xlib.h>
#include <X11/Xproto.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <deque>

namespace stellaro {

namespace {

// A wake event waiting in the queue; later ones are not pushed, so that many completions leave
// one wake behind them.
std::atomic<bool> wake_pending {false};

Uint32 wake_event_type()
{
    static const Uint32 type = SDL_RegisterEvents(1);
    return type;
}

bool own_events_registered()
{
    return wake_event_type() != static_cast<Uint32>(-1);
}

// SDL keys as the Windows virtual-key codes the key table is written in; F1..F9 stand for the
// phone keys (soft keys, call, end, volume, star, hash).
uint32_t virtual_key_of(const SDL_Keysym& keysym)
{
    const SDL_Keycode key = keysym.sym;
    if (key >= SDLK_a && key <= SDLK_z)
        return 'A' + static_cast<uint32_t>(key - SDLK_a);
    if (key >= SDLK_0 && key <= SDLK_9)
        return '0' + static_cast<uint32_t>(key - SDLK_0);
    // Letters of other keyboard layouts are known by their place on the keyboard.
    if (keysym.scancode >= SDL_SCANCODE_A && keysym.scancode <= SDL_SCANCODE_Z && !(key >= 32 && key < 127))
        return 'A' + static_cast<uint32_t>(keysym.scancode - SDL_SCANCODE_A);
    if (key >= SDLK_KP_1 && key <= SDLK_KP_9)
        return '1' + static_cast<uint32_t>(key - SDLK_KP_1);
    if (key >= SDLK_F1 && key <= SDLK_F12)
        return 112 + static_cast<uint32_t>(key - SDLK_F1);
    switch (key) {
    case SDLK_KP_0: return '0';
    case SDLK_BACKSPACE: return 8;
    case SDLK_TAB: return 9;
    case SDLK_RETURN:
    case SDLK_KP_ENTER: return 13;
    case SDLK_LSHIFT:
    case SDLK_RSHIFT: return 16;
    case SDLK_LCTRL:
    case SDLK_RCTRL: return 17;
    case SDLK_LALT:
    case SDLK_RALT: return 18;
    case SDLK_ESCAPE:
    case SDLK_AC_BACK: return 27;
    case SDLK_SPACE: return 32;
    case SDLK_PAGEUP: return 33;
    case SDLK_PAGEDOWN: return 34;
    case SDLK_END: return 35;
    case SDLK_HOME: return 36;
    case SDLK_LEFT: return 37;
    case SDLK_UP: return 38;
    case SDLK_RIGHT: return 39;
    case SDLK_DOWN: return 40;
    case SDLK_INSERT: return 45;
    case SDLK_DELETE: return 46;
    case SDLK_APPLICATION:
    case SDLK_MENU: return 93;
    case SDLK_KP_MULTIPLY: return 119;
    case SDLK_KP_DIVIDE: return 120;
    case SDLK_VOLUMEUP: return 117;
    case SDLK_VOLUMEDOWN: return 118;
    default: return 0;
    }
}

XErrorHandler next_x_error_handler = nullptr;

// SDL wakes its waiting main loop by sending an event to the window over a second X
// connection; sent from another thread (a completion) just before the window closes, it can reach
// the X server after the window is gone. Such an error is harmless (there is nothing left to
// wake), and Xlib's default handler would end the program with status 1 for it; every other
// error goes on to the handler before (SDL's, then Xlib's).
int on_x_error(Display* display, XErrorEvent* error)
{
    if (error->error_code == BadWindow && error->request_code == X_SendEvent)
        return 0;
    return next_x_error_handler ? next_x_error_handler(display, error) : 0;
}

// Installed before SDL opens its connections, so that SDL chains to it and puts it back when it
// closes them (when the late error is read).
void handle_late_wakeup_errors()
{
    const XErrorHandler before = XSetErrorHandler(on_x_error);
    if (before != on_x_error)
        next_x_error_handler = before;
}

bool invisible_driver(const char* name)
{
    return name && (SDL_strcasecmp(name, "offscreen") == 0 || SDL_strcasecmp(name, "dummy") == 0);
}

} // namespace

struct SdlWindow::State {
    SDL_Window* window = nullptr;
    SDL_Renderer* renderer = nullptr;
    SDL_Texture* texture = nullptr;
    int texture_width = 0;
    int texture_height = 0;
    bool pressed = false;
    bool video_started = false;
    // Events that one SDL event turned into more than one shell event.
    std::deque<WindowEvent> pending;
};

std::unique_ptr<SdlWindow> SdlWindow::open(const std::string& title, int width, int height, std::string& error)
{
    std::unique_ptr<SdlWindow> made(new SdlWindow);
    made->state = std::make_unique<State>();
    State& state = *made->state;
    // Without a Wayland session SDL's Wayland probe only complains about the runtime folder.
    if (!std::getenv("SDL_VIDEODRIVER") && !std::getenv("WAYLAND_DISPLAY"))
        SDL_SetHint(SDL_HINT_VIDEODRIVER, "x11");
    handle_late_wakeup_errors();
    // Unless the environment says otherwise: no graphics driver, and the window's pixels are
    // plain shared memory rather than an OpenGL texture.
    SDL_SetHint(SDL_HINT_RENDER_DRIVER, "software");
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        error = std::string("no display could be opened: ") + SDL_GetError();
        SDL_Quit();
        return nullptr;
    }
    state.video_started = true;
    const char* chosen = std::getenv("SDL_VIDEODRIVER");
    if (invisible_driver(SDL_GetCurrentVideoDriver()) && !invisible_driver(chosen)) {
        error = "no display could be opened (no X11 or Wayland display is reachable)";
        return nullptr;
    }
    if (!own_events_registered()) {
        error = std::string("the window's events cannot be registered: ") + SDL_GetError();
        return nullptr;
    }
    state.window = SDL_CreateWindow(title.c_str(), SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, width, height, SDL_WINDOW_RESIZABLE);
    if (!state.window) {
        error = std::string("the window could not be made: ") + SDL_GetError();
        return nullptr;
    }
    state.renderer = SDL_CreateRenderer(state.window, -1, 0);
    if (!state.renderer) {
        error = std::string("the window cannot be drawn into: ") + SDL_GetError();
        return nullptr;
    }
    // SDL holds the screensaver off by default; here only a BacklightHold does.
    SDL_EnableScreenSaver();
    // Typed text reaches the screens whether or not an edit field is open, as characters do.
    SDL_StartTextInput();
    wake_pending = false;
    return made;
}

SdlWindow::~SdlWindow()
{
    if (!state)
        return;
    if (state->texture)
        SDL_DestroyTexture(state->texture);
    if (state->renderer)
        SDL_DestroyRenderer(state->renderer);
    if (state->window)
        SDL_DestroyWindow(state->window);
    if (state->video_started)
        SDL_Quit();
}

std::string SdlWindow::driver() const
{
    const char* name = SDL_GetCurrentVideoDriver();
    return name ? name : "";
}

void SdlWindow::client_size(int& width, int& height) const
{
    SDL_GetWindowSize(state->window, &width, &height);
}

bool SdlWindow::wait_event(WindowEvent& out, int timeout_ms)
{
    if (!state->pending.empty()) {
        out = std::move(state->pending.front());
        state->pending.pop_front();
        return true;
    }
    SDL_Event event;
    for (;;) {
        const int got = timeout_ms < 0 ? SDL_WaitEvent(&event) : SDL_WaitEventTimeout(&event, timeout_ms);
        if (!got)
            return false;
        out = WindowEvent();
        out.time = event.common.timestamp;
        if (event.type == wake_event_type()) {
            // Cleared before the queue is looked at, so a completion that comes meanwhile wakes again.
            wake_pending = false;
            out.kind = WindowEvent::Kind::WAKE;
            return true;
        }
        switch (event.type) {
        case SDL_QUIT:
            out.kind = WindowEvent::Kind::QUIT;
            return true;
        case SDL_MOUSEBUTTONDOWN:
            // Touch screens come in as the mouse events SDL makes of them.
            if (event.button.button != SDL_BUTTON_LEFT)
                break;
            if (state->pressed) {
                // A second press without a release seen: the first one ended somewhere unseen.
                WindowEvent lost;
                lost.kind = WindowEvent::Kind::CAPTURE_LOST;
                lost.time = out.time;
                state->pending.push_back(lost);
            }
            state->pressed = true;
            SDL_CaptureMouse(SDL_TRUE);
            out.kind = WindowEvent::Kind::POINTER_DOWN;
            out.x = event.button.x;
            out.y = event.button.y;
            if (!state->pending.empty()) {
                state->pending.push_back(out);
                out = state->pending.front();
                state->pending.pop_front();
            }
            return true;
        case SDL_MOUSEBUTTONUP:
            if (event.button.button != SDL_BUTTON_LEFT || !state->pressed)
                break;
            state->pressed = false;
            SDL_CaptureMouse(SDL_FALSE);
            out.kind = WindowEvent::Kind::POINTER_UP;
            out.x = event.button.x;
            out.y = event.button.y;
            return true;
        case SDL_MOUSEMOTION:
            out.kind = WindowEvent::Kind::POINTER_MOVE;
            out.x = event.motion.x;
            out.y = event.motion.y;
            return true;
        case SDL_MOUSEWHEEL: {
            const int steps = event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -event.wheel.y : event.wheel.y;
            if (steps == 0)
                break;
            out.kind = WindowEvent::Kind::WHEEL;
            out.wheel = steps;
            SDL_GetMouseState(&out.x, &out.y);
            return true;
        }
        case SDL_KEYDOWN:
        case SDL_KEYUP:
            out.virtual_key = virtual_key_of(event.key.keysym);
            if (!out.virtual_key)
                break;
            out.kind = event.type == SDL_KEYDOWN ? WindowEvent::Kind::KEY_DOWN : WindowEvent::Kind::KEY_UP;
            out.repeat = event.key.repeat != 0;
            return true;
        case SDL_TEXTINPUT:
            out.kind = WindowEvent::Kind::TEXT;
            out.text = event.text.text;
            return true;
        case SDL_WINDOWEVENT:
            switch (event.window.event) {
            case SDL_WINDOWEVENT_FOCUS_GAINED:
                out.kind = WindowEvent::Kind::ACTIVATED;
                return true;
            case SDL_WINDOWEVENT_RESTORED:
            case SDL_WINDOWEVENT_SHOWN:
                out.kind = WindowEvent::Kind::SHOWN;
                return true;
            case SDL_WINDOWEVENT_FOCUS_LOST:
            case SDL_WINDOWEVENT_MINIMIZED:
            case SDL_WINDOWEVENT_HIDDEN:
                out.kind = event.window.event == SDL_WINDOWEVENT_FOCUS_LOST ? WindowEvent::Kind::DEACTIVATED
                                                                            : WindowEvent::Kind::HIDDEN;
                if (state->pressed) {
                    // The press ends without a release: the lost capture first, then the window's news.
                    state->pressed = false;
                    SDL_CaptureMouse(SDL_FALSE);
                    state->pending.push_back(out);
                    out.kind = WindowEvent::Kind::CAPTURE_LOST;
                }
                return true;
            case SDL_WINDOWEVENT_SIZE_CHANGED:
                out.kind = WindowEvent::Kind::RESIZED;
                out.x = event.window.data1;
                out.y = event.window.data2;
                return true;
            case SDL_WINDOWEVENT_EXPOSED:
                out.kind = WindowEvent::Kind::EXPOSED;
                return true;
            default:
                break;
            }
            break;
        default:
            break;
        }
        if (timeout_ms >= 0)
            timeout_ms = 0;
    }
}

int SdlWindow::refresh_rate_hz() const
{
    SDL_DisplayMode mode {};
    if (SDL_GetWindowDisplayMode(state->window, &mode) == 0 && mode.refresh_rate > 0)
        return mode.refresh_rate;
    const int display = SDL_GetWindowDisplayIndex(state->window);
    if (display >= 0 && SDL_GetCurrentDisplayMode(display, &mode) == 0)
        return std::max(mode.refresh_rate, 0);
    return 0;
}

void SdlWindow::wake()
{
    if (!own_events_registered() || wake_pending.exchange(true))
        return;
    SDL_Event event {};
    event.type = wake_event_type();
    if (SDL_PushEvent(&event) != 1)
        wake_pending = false;
}

bool SdlWindow::present(const uint16_t* pixels, int width, int height, int pitch_bytes)
{
    if (!state->texture || state->texture_width != width || state->texture_height != height) {
        if (state->texture)
            SDL_DestroyTexture(state->texture);
        state->texture = SDL_CreateTexture(state->renderer, SDL_PIXELFORMAT_RGB565, SDL_TEXTUREACCESS_STREAMING, width, height);
        state->texture_width = state->texture ? width : 0;
        state->texture_height = state->texture ? height : 0;
        if (!state->texture)
            return false;
    }
    if (SDL_UpdateTexture(state->texture, nullptr, pixels, pitch_bytes) != 0)
        return false;
    SDL_SetRenderDrawColor(state->renderer, 0, 0, 0, 255);
    SDL_RenderClear(state->renderer);
    const SDL_Rect area {0, 0, width, height};
    SDL_RenderCopy(state->renderer, state->texture, nullptr, &area);
    SDL_RenderPresent(state->renderer);
    return true;
}

bool SdlWindow::read_back(uint16_t* pixels, int width, int height)
{
    if (!state->texture)
        return false;
    SDL_SetRenderDrawColor(state->renderer, 0, 0, 0, 255);
    SDL_RenderClear(state->renderer);
    const SDL_Rect shown {0, 0, state->texture_width, state->texture_height};
    SDL_RenderCopy(state->renderer, state->texture, nullptr, &shown);
    const SDL_Rect area {0, 0, width, height};
    return SDL_RenderReadPixels(state->renderer, &area, SDL_PIXELFORMAT_RGB565, pixels, width * 2) == 0;
}

void SdlWindow::start_text_input(int x, int y, int width, int height)
{
    SDL_Rect area {x, y, width, height};
    SDL_SetTextInputRect(&area);
    SDL_StartTextInput();
}

void SdlWindow::stop_text_input()
{
    SDL_StopTextInput();
}

void SdlWindow::end_text_input()
{
    SDL_StopTextInput();
    if (!SDL_HasScreenKeyboardSupport())
        SDL_StartTextInput();
}

bool SdlWindow::screen_keyboard_shown() const
{
    return SDL_HasScreenKeyboardSupport() && SDL_IsScreenKeyboardShown(state->window);
}

void SdlWindow::minimize()
{
    SDL_MinimizeWindow(state->window);
}

void SdlWindow::bring_to_front()
{
    SDL_ShowWindow(state->window);
    SDL_RestoreWindow(state->window);
    SDL_RaiseWindow(state->window);
}

void SdlWindow::hold_screensaver(bool hold)
{
    if (hold)
        SDL_DisableScreenSaver();
    else
        SDL_EnableScreenSaver();
}

void show_message(const std::string& title, const std::string& message)
{
    const char* driver = SDL_GetCurrentVideoDriver();
    if (invisible_driver(driver) || SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, title.c_str(), message.c_str(), nullptr) != 0)
        std::fprintf(stderr, "%s: %s\n", title.c_str(), message.c_str());
}

} // namespace stellaro

#if defined(__SANITIZE_ADDRESS__)
// SDL talks to D-Bus (screensaver, input methods) and leaves libdbus's global state for the
// program to release, which would need libdbus itself; the leak checker is told to let it be.
extern "C" __attribute__((visibility("default"), used)) const char* __lsan_default_suppressions()
{
    return "leak:libdbus-1.so\n";
}
#endif
