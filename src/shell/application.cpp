#include "shell/application.h"

#include "skin/io/log.h"
#include "skin/io/registry.h"
#include "skin/kinds/edit_element.h"
#include "skin/kinds/toolkit_kinds.h"

#include <cstdio>

namespace stellaro {

namespace {

int holds = 0;

} // namespace

Application::Application(std::u16string title, const WindowSettings& settings) : title_(std::move(title))
{
    // The toolkit's kinds; the program registers its own beside them.
    kinds = register_toolkit_kinds();
    game = std::make_unique<GameBase>(title_, settings);
    FontDesc desc;
    desc.size = 10;
    desc.face = u"Tahoma";
    font = FontHandle(desc);
    install_edit_host(this);
    log() << "Application::Application() this=" << reinterpret_cast<uintptr_t>(this) << "\n";
}

Application::~Application()
{
    log() << "Application::~Application()\n";
    install_edit_host(nullptr);
    overlay.clear();
    // Screens go top first while the scheduler lives, so that their active objects can cancel;
    // the listener may be gone already.
    stack.set_listener(nullptr);
    while (stack.size() > 0)
        stack.remove(stack.at(stack.size() - 1));
    game.reset();
    while (!kinds.empty())
        kinds.pop_back();
}

void Application::push_screen(std::unique_ptr<Element> screen, ScreenKind kind)
{
    const ScreenInfo area = client_area();
    stack.push(std::move(screen), kind, {area.client_width, area.client_height});
}

std::unique_ptr<Element> Application::remove_screen(Element* screen)
{
    return stack.remove(screen);
}

void Application::set_listener(ApplicationListener* new_listener)
{
    listener_ = new_listener;
    stack.set_listener(new_listener);
}

void Application::advance(double dt)
{
    const ScreenInfo area = client_area();
    stack.advance(dt, {area.client_width, area.client_height});
}

void Application::render(RenderSurface& surface, uint32_t now_tick)
{
    stack.render(surface);
    if (!log().enabled()) {
        overlay.clear();
        return;
    }
    overlay.add(now_tick);
    overlay.draw(surface, font, needs_redraw());
}

void Application::editing_started(EditElement& edit)
{
    editing_moved(edit);
}

void Application::editing_moved(EditElement& edit)
{
    set_needs_redraw();
    if (game)
        game->start_text_input({edit.x(), edit.y()}, {edit.width(), edit.height()});
}

void Application::editing_ended()
{
    set_needs_redraw();
    if (!game || !game->has_window())
        return;
    // A desktop has no input panel; what is kept is whether an on-screen keyboard was up.
    const bool keyboard_up = game->end_text_input();
    reg_set_dword(SIP_KEY, SIP_VALUE, keyboard_up ? 1 : 0);
}

BacklightHold::BacklightHold()
{
    if (++holds == 1)
        if (Application* application = Application::instance())
            application->hold_screensaver(true);
}

BacklightHold::~BacklightHold()
{
    if (--holds == 0)
        if (Application* application = Application::instance())
            application->hold_screensaver(false);
}

int BacklightHold::count() { return holds; }

} // namespace stellaro
