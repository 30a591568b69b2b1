#include "app/headless_run.h"

#include "shell/display_rotation.h"
#include "shell/frame_clock.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace stellaro {

namespace {

// A wait draws every frame of its first second, as the window would: what comes with drawing
// (the rows of lists, the labels and bodies of the sky) has come by then. After that it only
// steps time, drawing one frame a second and the last, so that a long wait costs little.
constexpr uint32_t FULLY_DRAWN_MS = 1000;
constexpr uint32_t DRAW_EVERY_MS = 1000;

WindowSettings headless_settings(Size window, int32_t turns)
{
    WindowSettings settings;
    settings.width = window.width;
    settings.height = window.height;
    settings.orientation = turns;
    settings.headless = true;
    return settings;
}

} // namespace

HeadlessRun::HeadlessRun(Size window, int32_t turns)
    : app(u"Stellaro", headless_settings(window, turns)), surface(app.game_base().frame_size())
{
}

RenderSurface HeadlessRun::window_picture() const
{
    const PixelBuffer* frame = surface.buffer();
    if (!frame)
        return {};
    const int32_t turns = app.client_area().orientation;
    Size size;
    rotated_size(frame->width(), frame->height(), turns, size.width, size.height);
    std::vector<uint16_t> turned(static_cast<size_t>(size.width) * size.height);
    rotate_frame(reinterpret_cast<const uint16_t*>(frame->bits()), frame->width(), frame->height(),
                 static_cast<int>(frame->pitch() / 2), turned.data(), turns);
    RenderSurface picture(size);
    if (PixelBuffer* pixels = picture.buffer()) {
        for (int32_t y = 0; y < size.height; ++y)
            std::memcpy(pixels->row(y), turned.data() + static_cast<size_t>(y) * size.width, static_cast<size_t>(size.width) * 2);
    }
    return picture;
}

void HeadlessRun::open(std::unique_ptr<Element> screen)
{
    app.push_screen(std::move(screen));
}

void HeadlessRun::frame(uint32_t dt_ms)
{
    step(dt_ms);
    app.render(surface, now_ms);
}

void HeadlessRun::step(uint32_t dt_ms)
{
    now_ms += dt_ms;
    app.advance(dt_ms / 1000.0);
}

void HeadlessRun::wait(uint32_t ms)
{
    uint32_t passed = 0;
    while (passed < ms) {
        const uint32_t dt = std::min(ms - passed, FRAME_MS);
        passed += dt;
        if (passed == ms || passed <= FULLY_DRAWN_MS || passed % DRAW_EVERY_MS < dt)
            frame(dt);
        else
            step(dt);
    }
}

void HeadlessRun::redraw() { app.render(surface, now_ms); }

PointerEvent HeadlessRun::pointer(Point at) const
{
    PointerEvent event;
    event.x = at.x;
    event.y = at.y;
    event.time = now_ms;
    return event;
}

void HeadlessRun::press(Point at)
{
    PointerEvent event = pointer(at);
    event.down = true;
    app.screens().pointer_button(event);
}

void HeadlessRun::move(Point at) { app.screens().pointer_move(pointer(at)); }

void HeadlessRun::release(Point at) { app.screens().pointer_button(pointer(at)); }

} // namespace stellaro
