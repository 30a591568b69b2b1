#include "screens/window_sky_screen.h"

namespace stellaro {

namespace {

// One arrow press (or repeat) turns the view as far as a drag of this many pixels.
constexpr int32_t ARROW_PIXELS = 24;

} // namespace

bool WindowSkyScreen::on_key(const KeyEvent& event)
{
    if (SkyScreen::on_key(event))
        return true;
    Stars* stars = sky();
    if (!stars || !event.down)
        return false;
    int32_t dx = 0;
    int32_t dy = 0;
    switch (event.code) {
    case KEY_LEFT: dx = ARROW_PIXELS; break;
    case KEY_RIGHT: dx = -ARROW_PIXELS; break;
    case KEY_UP: dy = ARROW_PIXELS; break;
    case KEY_DOWN: dy = -ARROW_PIXELS; break;
    default: return false;
    }
    // Turning by hand lets go of a followed object, as a drag does.
    drag_started();
    stars->view().pan_velocity_x = 0.0;
    stars->view().pan_velocity_y = 0.0;
    stars->view().drag(dx, dy);
    stars->refresh_projection();
    stars->request_repaint();
    return true;
}

} // namespace stellaro
