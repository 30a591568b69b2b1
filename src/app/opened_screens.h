#pragma once
#include "document/document.h"
#include "screens/main_menu.h"
#include "screens/object_info_panel.h"
#include "skin/props/properties.h"
#include "sky/stars.h"

#include <string>

namespace stellaro {

// The screens the main screen opens over the sky (the main menu, the about panel, the
// information about the selected object), made and opened for a run that shows them without
// the main screen, such as a rendered picture. The one opened is opened again whenever the skin
// is reloaded (night mode, another language), so that the picture shows it rebuilt.
class OpenedScreens : public PropertiesListener {
public:
    // Throws skincore::SkinError when the skin lacks one of the screens.
    OpenedScreens(Properties& properties, Document& document);
    ~OpenedScreens() override;
    OpenedScreens(const OpenedScreens&) = delete;
    OpenedScreens& operator=(const OpenedScreens&) = delete;

    // True for the names open() knows: "menu", "about", "info".
    static bool known(const std::string& name);

    // Opens the screen of that name over what the application shows; "info" shows the sky's
    // selected object and needs one. False when there is nothing to show.
    bool open(const std::string& name, const Stars& sky);

    void reload_skin(Properties& properties) override;

private:
    bool open_again();

    Properties& properties;
    MainMenu main_menu;
    ObjectInfoPanel info_panel;
    std::string opened;
    const Stars* shown_sky = nullptr;
};

} // namespace stellaro
