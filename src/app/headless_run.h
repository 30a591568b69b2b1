#pragma once
#include "shell/application.h"
#include "skin/elements/element.h"
#include "skin/surface/render_surface.h"

#include <cstdint>
#include <memory>
#include <string_view>

namespace stellaro {

// Runs screens without a window: an application with no window whose screen stack is stepped
// and drawn frame by frame into one surface, and input handed to it as the window would.
class HeadlessRun {
public:
    // A run for a window of the size whose frame is turned by quarter turns on its way there, as
    // the window's orientation setting does.
    explicit HeadlessRun(Size window, int32_t turns = 0);

    Application& application() { return app; }
    // Opens the screen on top of the stack and lays it out.
    void open(std::unique_ptr<Element> screen);
    // The screen on top, or null.
    Element* top() { return app.screens().top(); }

    // One frame: dt_ms of time pass, then the stack is drawn.
    void frame(uint32_t dt_ms);
    // Frames of at most one frame period until ms have passed; those after the first second
    // are stepped without being drawn but for one a second and the last.
    void wait(uint32_t ms);
    // Draws the stack as it stands, without letting time pass: newly shown elements get their
    // places (lists make their rows when drawn).
    void redraw();

    void press(Point at);
    void move(Point at);
    void release(Point at);
    void key(const KeyEvent& event) { app.screens().key(event); }
    void text(std::u16string_view typed) { app.screens().text(typed); }

    // Milliseconds since the run began.
    uint32_t now() const { return now_ms; }
    // The last frame as the window would show it: turned to the orientation. Empty when no
    // buffer can be had.
    RenderSurface window_picture() const;

private:
    // dt_ms of time pass, without drawing.
    void step(uint32_t dt_ms);
    PointerEvent pointer(Point at) const;

    Application app;
    RenderSurface surface;
    uint32_t now_ms = 0;
};

} // namespace stellaro
