#pragma once
#include "skin/elements/element.h"
#include "skin/kinds/button.h"
#include "skin/props/properties.h"

#include <memory>

namespace stellaro {

// The about panel: the program's name and version, its licence and the sources of its data with
// theirs, from the skin node "About" with a "back" button and a "version" text; the back key
// closes it too. It rebuilds itself when the skin is reloaded.
class AboutPanel : public ButtonListener, public PropertiesListener {
public:
    static constexpr const char16_t* NODE = u"About";

    // Throws skincore::NodeNotFoundInSkin without the node, skincore::NodeNotFound without "back"
    // or "version".
    explicit AboutPanel(Properties& properties);
    ~AboutPanel() override;
    AboutPanel(const AboutPanel&) = delete;
    AboutPanel& operator=(const AboutPanel&) = delete;

    // Opens the panel on the application's screen stack.
    void open();
    void close();
    bool is_open() const { return !owned_screen; }

    void on_click(Button& button, Point point) override;
    void reload_skin(Properties& properties) override;

private:
    class Screen;
    void build();

    Properties& properties;
    std::unique_ptr<Element> owned_screen;
    Element* screen_ = nullptr;
};

} // namespace stellaro
