#include "shell/screen_stack.h"

#include "shell/application_listener.h"
#include "skin/surface/span_filler.h"

#include <algorithm>

namespace stellaro {

void ScreenStack::push(std::unique_ptr<Element> screen, ScreenKind kind, Size client)
{
    if (!screen)
        return;
    if (kind == ScreenKind::OVERLAY) {
        // What lies below the overlay, as it looks now.
        RenderSurface below(client);
        if (below.has_buffer())
            draw_screens(below);
        snapshot.swap_buffers(below);
    }
    screens.push_back({std::move(screen), kind});
    redraw = true;
}

std::unique_ptr<Element> ScreenStack::remove(Element* screen)
{
    const auto found =
        std::find_if(screens.begin(), screens.end(), [&](const Entry& entry) { return entry.screen.get() == screen; });
    if (found == screens.end())
        return nullptr;
    std::unique_ptr<Element> removed = std::move(found->screen);
    screens.erase(found);
    redraw = true;
    if (listener)
        listener->on_screen_closed(removed.get(), ScreenClosing::REMOVED);
    return removed;
}

void ScreenStack::start_transition(std::unique_ptr<VisibilityAnimation> animation, RenderSurface* from, Direction direction,
                                   RenderSurface* to)
{
    if (!animation)
        return;
    animation->start(from, direction, to);
    transition = animation->running() ? std::move(animation) : nullptr;
    redraw = true;
}

void ScreenStack::place_top(Size client)
{
    Element* screen = top();
    screen->set_horizontal(0, client.width);
    screen->set_vertical(0, client.height);
}

void ScreenStack::advance(double dt, Size client)
{
    if (transition) {
        transition->advance(dt);
        if (!transition->running())
            transition.reset();
        redraw = true;
        return;
    }
    if (!top())
        return;
    place_top(client);
    top()->update(dt);
}

bool ScreenStack::needs_redraw() const
{
    if (const Element* screen = top(); screen && (screen->needs_repaint() || screen->needs_layout()))
        return true;
    return redraw;
}

double ScreenStack::take_frame_wait_seconds()
{
    Element* screen = top();
    return screen ? screen->take_frame_wait_seconds() : Element::NO_FRAME_WAIT;
}

void ScreenStack::clear(RenderSurface& surface) const
{
    surface.apply({0, 0}, surface.size(), SolidFiller(to_pixel(background)));
}

void ScreenStack::dim_whole(RenderSurface& surface) const
{
    if (dim < FULL_LEVEL)
        surface.apply({0, 0}, surface.size(), *dim_filler(dim));
}

void ScreenStack::draw_screens(RenderSurface& surface)
{
    if (!top()) {
        clear(surface);
        return;
    }
    place_top(surface.size());
    if (top_is_overlay()) {
        if (snapshot.has_buffer())
            surface.draw(snapshot, Point{0, 0}, plain_copy_painter());
        else
            clear(surface);
        dim_whole(surface);
    } else {
        // Screens need not cover the whole frame.
        clear(surface);
    }
    top()->draw(surface, Point{0, 0});
}

void ScreenStack::render(RenderSurface& surface)
{
    redraw = false;
    if (transition) {
        clear(surface);
        transition->draw(surface, Point{0, 0});
        return;
    }
    draw_screens(surface);
    if (top_is_overlay()) {
        if (dim > DIMMED_LEVEL) {
            dim = std::max(DIMMED_LEVEL, dim - DIM_STEP);
            redraw = true;
        }
        return;
    }
    // A screen that replaced an overlay fades up from where the dimming stood.
    dim_whole(surface);
    if (dim < FULL_LEVEL) {
        dim = std::min(FULL_LEVEL, dim + DIM_STEP);
        redraw = true;
    }
}

void ScreenStack::pointer_move(const PointerEvent& event)
{
    if (Element* screen = top())
        screen->on_pointer_move(event);
}

bool ScreenStack::pointer_button(const PointerEvent& event)
{
    Element* screen = top();
    return screen && screen->on_pointer_button(event);
}

bool ScreenStack::key(const KeyEvent& event)
{
    Element* screen = top();
    return screen && screen->on_key(event);
}

bool ScreenStack::text(std::u16string_view text)
{
    Element* screen = top();
    return screen && screen->on_text(text);
}

} // namespace stellaro
