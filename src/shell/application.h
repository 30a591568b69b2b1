#pragma once
#include "fonts/font_handle.h"
#include "shell/application_listener.h"
#include "shell/frame_time_overlay.h"
#include "shell/game_base.h"
#include "shell/screen_info.h"
#include "shell/screen_stack.h"
#include "skin/elements/element_factory.h"
#include "skin/kinds/edit_host.h"
#include "skin/io/singleton.h"

#include <memory>
#include <string>
#include <vector>

namespace stellaro {

// The shell as the toolkit sees it: the screen stack, the default font, the frame timing and
// the listener (the program's main screen). It makes the GameBase, which opens the window;
// without a display the application exists but has no window (`has_window`). It is the edit
// host of the process: the active edit field gets the window's text input over its rectangle.
class Application : public Singleton<Application>, public EditHost {
public:
    explicit Application(std::u16string title, const WindowSettings& settings = {});
    ~Application();

    bool has_window() const { return game->has_window(); }
    const std::string& window_error() const { return game->window_error(); }
    GameBase& game_base() { return *game; }

    // The message loop; returns when the window has been closed.
    void run() { game->run(); }
    void quit() { game->quit(); }
    bool quit_requested() const { return game->quit_requested(); }

    // Opens a screen on top, which the screen stack then owns; an overlay dims what lies below it.
    void push_screen(std::unique_ptr<Element> screen, ScreenKind kind = ScreenKind::FULL);
    // Closes the screen and hands it back (null when it is not open).
    std::unique_ptr<Element> remove_screen(Element* screen);
    ScreenStack& screens() { return stack; }

    void set_listener(ApplicationListener* new_listener);
    ApplicationListener* listener() const { return listener_; }

    // The rectangle screens are laid out in.
    ScreenInfo client_area() const { return game->screen_info(); }
    void suspend_frames() { game->suspend_frames(); }
    void minimize() { game->minimize(); }
    void bring_to_front() { game->bring_to_front(); }
    void message_box(std::u16string_view text) const { game->message_box(text); }
    // Nothing while the platform half is being made or taken down.
    void hold_screensaver(bool hold)
    {
        if (game)
            game->hold_screensaver(hold);
    }
    const std::u16string& title() const { return title_; }
    const FontHandle& default_font() const { return font; }
    void set_needs_redraw() { stack.set_needs_redraw(); }

    // The frame step and drawing, called by the GameBase.
    void advance(double dt);
    bool needs_redraw() const { return stack.needs_redraw(); }
    void render(RenderSurface& surface, uint32_t now_tick);
    const FrameTimeOverlay& frame_times() const { return overlay; }

    // Where the on-screen keyboard state is kept when editing ends: 1 when it was up.
    static constexpr char16_t SIP_KEY[] = u"HKEY_CURRENT_USER\\Software\\Vendrix";
    static constexpr char16_t SIP_VALUE[] = u"SIPPreference";

protected:
    void editing_started(EditElement& edit) override;
    void editing_moved(EditElement& edit) override;
    void editing_ended() override;

private:
    std::u16string title_;
    ApplicationListener* listener_ = nullptr;
    std::vector<std::unique_ptr<NodeRegistration>> kinds;
    ScreenStack stack;
    std::unique_ptr<GameBase> game;
    FontHandle font;
    FrameTimeOverlay overlay;
};

// Keeps the screen from blanking (the screensaver held off) while it exists.
class BacklightHold {
public:
    BacklightHold();
    ~BacklightHold();
    BacklightHold(const BacklightHold&) = delete;
    BacklightHold& operator=(const BacklightHold&) = delete;

    // How many holds live.
    static int count();
};

} // namespace stellaro
