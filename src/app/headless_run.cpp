#include "app/headless_run.h"

#include "shell/frame_clock.h"

#include <algorithm>

namespace stellaro {

namespace {

WindowSettings headless_settings(Size size)
{
    WindowSettings settings;
    settings.width = size.width;
    settings.height = size.height;
    settings.headless = true;
    return settings;
}

} // namespace

HeadlessRun::HeadlessRun(Size size) : app(u"Stellaro", headless_settings(size)), surface(size) {}

void HeadlessRun::open(std::unique_ptr<Element> screen)
{
    app.push_screen(std::move(screen));
}

void HeadlessRun::frame(uint32_t dt_ms)
{
    now_ms += dt_ms;
    app.advance(dt_ms / 1000.0);
    app.render(surface, now_ms);
}

void HeadlessRun::wait(uint32_t ms)
{
    while (ms > 0) {
        const uint32_t step = std::min(ms, FRAME_MS);
        frame(step);
        ms -= step;
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
