#pragma once
#include "shell/application.h"
#include "skin/elements/element.h"
#include "support/test_support.h"

#include <string>

namespace stellaro {

// Window tests run on SDL's invisible driver with the software renderer: no display needed.
// The window's own pixels stay in memory instead of going through an OpenGL texture.
struct OffscreenWindow {
    EnvironmentGuard driver{"SDL_VIDEODRIVER", "offscreen"};
    EnvironmentGuard renderer{"SDL_RENDER_DRIVER", "software"};
    EnvironmentGuard acceleration{"SDL_FRAMEBUFFER_ACCELERATION", "0"};
};

// A screen that fills itself with one colour, takes all input and notes it, one line each:
// "down X,Y", "move X,Y", "up X,Y", "cancel X,Y", "key NAME down|repeat|up", "text T".
class RecordingScreen : public Element {
public:
    explicit RecordingScreen(Colour colour = {0, 0, 255, 255}) : colour(colour) { set_visible(true); }

    void paint(RenderSurface& surface, Point origin) override;
    void on_pointer_move(const PointerEvent& event) override;
    bool on_pointer_button(const PointerEvent& event) override;
    bool on_key(const KeyEvent& event) override;
    bool on_text(std::u16string_view text) override;

    Colour colour;
    // Paints only this much of the top-left corner when set (an overlay leaves the rest to what is below).
    Size painted{-1, -1};
    std::string input;
};

} // namespace stellaro
