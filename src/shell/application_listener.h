#pragma once
#include "skin/elements/keys.h"
#include "skin/surface/geometry.h"

#include <cstdint>
#include <string_view>

namespace stellaro {

class Element;

// How a screen left the screen stack.
enum class ScreenClosing : int32_t {
    REMOVED = 1, // taken out by the program
};

// What the application tells the program's main screen.
class ApplicationListener {
public:
    virtual ~ApplicationListener() = default;
    // A command line handed over by a later start (arguments joined by spaces; empty for none).
    virtual void on_command_line(std::u16string_view text) = 0;
    // False refuses a request to close the window.
    virtual bool on_close() = 0;
    // The mouse wheel turned by `steps` notches (positive away from the user) over the point
    // (frame coordinates); true when it was used.
    virtual bool on_wheel(Point point, int steps) = 0;
    virtual void on_screen_closed(Element* screen, ScreenClosing how) = 0;
    virtual void on_resolution_changed() = 0;
    virtual void on_help() = 0;
    virtual void on_deactivated() = 0;
    virtual void on_activated() = 0;
    // True consumes the key before the screens see it.
    virtual bool filter_key(const KeyEvent& event) = 0;
};

} // namespace stellaro
