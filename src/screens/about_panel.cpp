#include "screens/about_panel.h"

#include "shell/application.h"
#include "skin/props/skincore.h"

namespace stellaro {

// The panel's element: the back key closes it.
class AboutPanel::Screen : public Element {
public:
    explicit Screen(AboutPanel& panel) : panel(panel) {}

    bool on_key(const KeyEvent& event) override
    {
        if (event.down && (event.code == KEY_BACKSPACE || event.code == KEY_ESC)) {
            panel.close();
            return true;
        }
        return Element::on_key(event);
    }

private:
    AboutPanel& panel;
};

AboutPanel::AboutPanel(Properties& properties) : properties(properties)
{
    build();
    properties.add_listener(this);
}

AboutPanel::~AboutPanel()
{
    properties.remove_listener(this);
    close();
}

void AboutPanel::build()
{
    auto made = std::make_unique<Screen>(*this);
    if (!made->load_from_skin(properties, NODE))
        throw skincore::NodeNotFoundInSkin(NODE);
    made->set_visible(true);
    made->set_id(NODE);
    auto* back = dynamic_cast<Button*>(made->find_child(u"back"));
    if (!back)
        throw skincore::NodeNotFound(NODE, u"back");
    back->set_listener(this);
    Element* version = made->find_child(u"version");
    if (!version)
        throw skincore::NodeNotFound(NODE, u"version");
    const std::string number = STELLARO_VERSION;
    version->send_text(version->id(), properties.translate(u"Version") + u" " + std::u16string(number.begin(), number.end()));
    owned_screen = std::move(made);
    screen_ = owned_screen.get();
}

void AboutPanel::open()
{
    Application* application = Application::instance();
    if (!application || is_open())
        return;
    application->push_screen(std::move(owned_screen), ScreenKind::OVERLAY);
}

void AboutPanel::close()
{
    if (!is_open())
        return;
    if (Application* application = Application::instance())
        owned_screen = application->remove_screen(screen_);
}

void AboutPanel::on_click(Button&, Point) { close(); }

void AboutPanel::reload_skin(Properties&)
{
    close();
    owned_screen.reset();
    build();
}

} // namespace stellaro
