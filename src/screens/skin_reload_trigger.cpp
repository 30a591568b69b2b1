#include "screens/skin_reload_trigger.h"

#include "shell/application.h"

namespace stellaro {

// The trigger's element: no look of its own; its update does the reload.
class SkinReloadTrigger::Screen : public Element {
public:
    explicit Screen(SkinReloadTrigger& trigger) : trigger(trigger) { set_visible(true); }

    void update(double elapsed) override
    {
        Element::update(elapsed);
        trigger.fire();
    }

private:
    SkinReloadTrigger& trigger;
};

SkinReloadTrigger::SkinReloadTrigger(Properties& properties)
    : properties(properties), owned(std::make_unique<Screen>(*this)), screen(owned.get())
{
}

SkinReloadTrigger::~SkinReloadTrigger()
{
    if (!owned)
        if (Application* application = Application::instance())
            application->remove_screen(screen);
}

void SkinReloadTrigger::arm()
{
    Application* application = Application::instance();
    if (!application || armed())
        return;
    application->push_screen(std::move(owned), ScreenKind::OVERLAY);
}

void SkinReloadTrigger::fire()
{
    // Off the stack first (taken back rather than destroyed: this runs inside the screen's own
    // update), so that a screen opened while rebuilding goes over the real screens.
    if (Application* application = Application::instance())
        owned = application->remove_screen(screen);
    properties.send_reload_skin();
}

} // namespace stellaro
