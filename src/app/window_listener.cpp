#include "app/window_listener.h"

namespace stellaro {

namespace {

// One wheel notch zooms as far as dragging the zoom knob by this many pixels.
constexpr double WHEEL_PIXELS = 20.0;

} // namespace

WindowListener::WindowListener(Application& application, Stars* sky) : application(application), stars(sky)
{
    backlight.emplace();
}

bool WindowListener::on_wheel(Point, int steps)
{
    if (!stars)
        return false;
    stars->zoom_by(-steps * WHEEL_PIXELS);
    return true;
}

void WindowListener::on_activated()
{
    backlight.reset();
    backlight.emplace();
}

} // namespace stellaro
