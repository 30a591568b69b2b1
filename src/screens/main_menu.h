#pragma once
#include "document/document.h"
#include "screens/about_panel.h"
#include "screens/skin_reload_trigger.h"
#include "shell/menu.h"
#include "shell/menu_listener.h"
#include "skin/props/properties.h"

#include <memory>

namespace stellaro {

// The main menu of the sky map: the about panel, the choice of language (when there is more than
// one), night mode, minimising and leaving the program after a confirmation. Night mode and a
// new language take effect by reloading the skin, after which every screen that listens to the
// skin rebuilds itself. Owned by the main screen, which opens it from its menu button.
//
// Skin: the menu screen "Menu" with entries from "MenuElement", and the about panel "About".
class MainMenu : public MenuListener, public PropertiesListener {
public:
    static constexpr const char16_t* MENU_ID = u"MainMenu";

    // Throws skincore::SkinError when the skin lacks the menu or the about panel.
    MainMenu(Properties& properties, Document& document);
    ~MainMenu() override;
    MainMenu(const MainMenu&) = delete;
    MainMenu& operator=(const MainMenu&) = delete;

    // Opens the menu "MainMenu" over the current screen.
    void open();
    bool is_open() const { return menu_->is_open(); }

    void command(int32_t context, std::u16string_view id, std::u16string& title, std::vector<MenuItem>& items) override;
    void reload_skin(Properties& properties) override;

    AboutPanel& about() { return about_; }

private:
    // Reloads the skin in the other colours, turns night mode over and keeps the choice.
    void toggle_night_mode();

    Properties& properties;
    Document& document;
    SkinReloadTrigger trigger;
    AboutPanel about_;
    std::unique_ptr<Menu> menu_;
};

} // namespace stellaro
