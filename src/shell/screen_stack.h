#pragma once
#include "skin/elements/animation.h"
#include "skin/elements/element.h"
#include "skin/surface/render_surface.h"

#include <memory>
#include <vector>

namespace stellaro {

class ApplicationListener;

// How a screen covers the ones below it.
enum class ScreenKind : int32_t {
    FULL,    // drawn alone
    OVERLAY, // drawn over a dimmed picture of what lies below
};

// The open screens: the last one is on top, is laid out over the client area and receives all
// input. An overlay screen is drawn over a dimmed picture of what lay below it (the dimming
// steps down to half brightness, one step a frame); once the overlay goes, the picture fades
// back up. A running transition is drawn instead of the screens until it ends.
class ScreenStack {
public:
    static constexpr int32_t FULL_LEVEL = 256;
    static constexpr int32_t DIMMED_LEVEL = 128;
    static constexpr int32_t DIM_STEP = 16;

    ScreenStack() = default;
    ScreenStack(const ScreenStack&) = delete;
    ScreenStack& operator=(const ScreenStack&) = delete;

    // Opens a screen on top, which the stack then owns. An overlay keeps a picture of the frame
    // below it, of the client size.
    void push(std::unique_ptr<Element> screen, ScreenKind kind, Size client);
    // Removes the screen wherever it is and hands it back (null when it is not open); the
    // listener is told while the screen still lives.
    std::unique_ptr<Element> remove(Element* screen);
    Element* top() const { return screens.empty() ? nullptr : screens.back().screen.get(); }
    bool top_is_overlay() const { return !screens.empty() && screens.back().kind == ScreenKind::OVERLAY; }
    size_t size() const { return screens.size(); }
    // The index-th open screen from the bottom (index < size()).
    Element* at(size_t index) const { return screens[index].screen.get(); }
    void set_listener(ApplicationListener* new_listener) { listener = new_listener; }

    // Takes over a transition between two pictures (either may be null, see VisibilityAnimation).
    void start_transition(std::unique_ptr<VisibilityAnimation> animation, RenderSurface* from, Direction direction,
                          RenderSurface* to);
    bool transition_running() const { return transition != nullptr; }

    // One frame step of dt seconds with the client area of the given size.
    void advance(double dt, Size client);
    // Whether the next frame must be drawn: the top screen or the stack itself changed.
    bool needs_redraw() const;
    void set_needs_redraw() { redraw = true; }
    // The longest the top screen may go without an update (Element::NO_FRAME_WAIT when it asked
    // for none since the last call).
    double take_frame_wait_seconds();
    // Draws the frame into the surface (its size is the client size).
    void render(RenderSurface& surface);

    // Input for the top screen; false (and moves dropped) when there is none.
    void pointer_move(const PointerEvent& event);
    bool pointer_button(const PointerEvent& event);
    bool key(const KeyEvent& event);
    bool text(std::u16string_view text);

    int32_t dim_level() const { return dim; }
    Colour background{0, 0, 0, 255};

private:
    struct Entry {
        std::unique_ptr<Element> screen;
        ScreenKind kind;
    };
    void place_top(Size client);
    // Draws the stack as it stands into the surface, without stepping the dimming.
    void draw_screens(RenderSurface& surface);
    void clear(RenderSurface& surface) const;
    void dim_whole(RenderSurface& surface) const;

    std::vector<Entry> screens;
    ApplicationListener* listener = nullptr;
    RenderSurface snapshot;
    int32_t dim = FULL_LEVEL;
    std::unique_ptr<VisibilityAnimation> transition;
    bool redraw = true;
};

} // namespace stellaro
