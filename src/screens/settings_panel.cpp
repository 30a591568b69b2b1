#include "screens/settings_panel.h"

#include "skin/props/skincore.h"

namespace stellaro {

void SettingsPanel::bind(Element& panel, CheckboxListener* listener)
{
    for (size_t i = 0; i < SWITCHES.size(); ++i) {
        boxes[i] = dynamic_cast<Checkbox*>(panel.find_child(SWITCHES[i].name));
        if (!boxes[i])
            throw skincore::NodeNotFound(panel.id(), SWITCHES[i].name);
        boxes[i]->set_listener(listener);
    }
}

void SettingsPanel::show_document()
{
    for (size_t i = 0; i < SWITCHES.size(); ++i)
        boxes[i]->set_state(document.*SWITCHES[i].field ? 1 : 0, true);
}

bool SettingsPanel::take_state(Checkbox& checkbox)
{
    for (size_t i = 0; i < SWITCHES.size(); ++i) {
        if (boxes[i] != &checkbox)
            continue;
        const bool on = checkbox.state() != 0;
        // The zone changes what the moment is, so the document shows it anew.
        if (SWITCHES[i].field == &Document::use_system_zone) {
            document.set_use_system_zone(on);
            return true;
        }
        document.*SWITCHES[i].field = on;
        document.save_settings();
        return true;
    }
    return false;
}

bool SettingsPanel::sky_emptied() const
{
    return !document.show_stars && !document.show_constellations && !document.show_planets;
}

} // namespace stellaro
