#include "app/opened_screens.h"

namespace stellaro {

OpenedScreens::OpenedScreens(Properties& properties, Document& document)
    : properties(properties), main_menu(properties, document), info_panel(properties)
{
    // Registered after the screens, so that they have rebuilt themselves when it opens one again.
    properties.add_listener(this);
}

OpenedScreens::~OpenedScreens() { properties.remove_listener(this); }

bool OpenedScreens::known(const std::string& name) { return name == "menu" || name == "about" || name == "info"; }

bool OpenedScreens::open(const std::string& name, const Stars& sky)
{
    opened = name;
    shown_sky = &sky;
    return open_again();
}

bool OpenedScreens::open_again()
{
    if (opened == "menu") {
        main_menu.open();
        return true;
    }
    if (opened == "about") {
        main_menu.about().open();
        return true;
    }
    if (opened != "info" || !shown_sky)
        return false;
    const SkyObject selected = shown_sky->selection();
    const SkyCatalog& catalog = shown_sky->catalog();
    switch (selected.kind) {
    case SkyKind::star:
        if (const StarRecord* star = catalog.stars.find(selected.index)) {
            info_panel.show_star(*star, catalog.constellations);
            return true;
        }
        return false;
    case SkyKind::body:
        if (selected.index >= 0 && selected.index < static_cast<int32_t>(BODY_COUNT)) {
            info_panel.show_body(shown_sky->bodies()[static_cast<size_t>(selected.index)], selected.index);
            return true;
        }
        return false;
    case SkyKind::constellation:
        if (selected.index >= 0 && selected.index < static_cast<int32_t>(catalog.constellations.size())) {
            info_panel.show_constellation(catalog.constellations[static_cast<size_t>(selected.index)]);
            return true;
        }
        return false;
    case SkyKind::nothing:
        return false;
    }
    return false;
}

void OpenedScreens::reload_skin(Properties&) { open_again(); }

} // namespace stellaro
