#include "screens/main_menu.h"

#include "screens/language_choice.h"
#include "shell/application.h"

namespace stellaro {

namespace {

constexpr const char16_t* ITEM_TEMPLATE = u"MenuElement";
constexpr const char16_t* DEFAULT_SKIN = u"%app_path%/skins/bin/default.skin";

MenuItem item(std::u16string id, bool checked = false)
{
    MenuItem entry;
    entry.id = std::move(id);
    entry.checked = checked;
    return entry;
}

// An entry of the main menu itself, drawn with its icon from the skin node "MenuEntry<id>".
MenuItem main_entry(std::u16string id, bool checked = false)
{
    MenuItem entry = item(std::move(id), checked);
    entry.template_name = u"MenuEntry" + entry.id;
    return entry;
}

} // namespace

MainMenu::MainMenu(Properties& properties, Document& document)
    : properties(properties), document(document), trigger(properties), about_(properties),
      menu_(std::make_unique<Menu>(properties, this, 0, ITEM_TEMPLATE))
{
    properties.add_listener(this);
}

MainMenu::~MainMenu() { properties.remove_listener(this); }

void MainMenu::open() { menu_->open(MENU_ID, u"", true); }

void MainMenu::reload_skin(Properties&)
{
    menu_.reset();
    menu_ = std::make_unique<Menu>(properties, this, 0, ITEM_TEMPLATE);
}

void MainMenu::toggle_night_mode()
{
    // The flag changes only with the colours: a skin that cannot be loaded again leaves both as
    // they were, rather than a menu that says night over day colours.
    const int32_t dots_per_inch = properties.scale() > 0 ? 192 : 96;
    if (!properties.load_skin(DEFAULT_SKIN, dots_per_inch))
        return;
    document.night_mode = !document.night_mode;
    // Kept at once: a restart should come up in the colours the user last chose.
    document.save_settings();
    if (document.night_mode)
        properties.to_night_colors();
    trigger.arm();
}

void MainMenu::command(int32_t, std::u16string_view id, std::u16string&, std::vector<MenuItem>& items)
{
    if (id == MENU_ID) {
        items.push_back(main_entry(u"About"));
        if (languages_available())
            items.push_back(main_entry(u"Language"));
        items.push_back(main_entry(u"NightMode", document.night_mode));
        items.push_back(main_entry(u"Minimize"));
        items.push_back(main_entry(u"Exit"));
        items.push_back(main_entry(u"Cancel"));
    } else if (id == u"NightMode") {
        toggle_night_mode();
    } else if (id == u"Minimize") {
        if (Application* application = Application::instance())
            application->minimize();
    } else if (id == u"About") {
        // The menu goes first: the panel opens over the picture of what lies below it, and in a
        // wide window that picture shows beside the panel.
        menu_->close();
        about_.open();
    } else if (id == u"Exit") {
        items.push_back(item(u"ReallyExit"));
        items.push_back(item(u"Cancel"));
    } else if (id == u"ReallyExit") {
        if (Application* application = Application::instance())
            application->quit();
    } else if (language_menu(properties, PRODUCT_NAME, id, items)) {
        trigger.arm();
    }
}

} // namespace stellaro
