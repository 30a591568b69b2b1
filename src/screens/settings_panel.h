#pragma once
#include "document/document.h"
#include "skin/kinds/checkbox.h"

#include <array>

namespace stellaro {

// The settings panel's view switches: each a two-state checkbox mirroring one of the document's
// switches, the document saving all of them whenever one changes.
class SettingsPanel {
public:
    // A switch of the panel: its element name and the document field it mirrors.
    struct Switch {
        const char16_t* name;
        bool Document::*field;
    };
    // In the document's order of its switches; a new switch is one more line here and one more
    // row in the skin.
    static constexpr std::array<Switch, 7> SWITCHES = {{
        {u"setting_background", &Document::show_back},
        {u"setting_grid", &Document::show_grid},
        {u"setting_stars", &Document::show_stars},
        {u"setting_constellations", &Document::show_constellations},
        {u"setting_planets", &Document::show_planets},
        {u"setting_refraction", &Document::refraction},
        {u"setting_system_zone", &Document::use_system_zone},
    }};

    explicit SettingsPanel(Document& document) : document(document) {}

    // Looks the switches up below the panel (skincore::NodeNotFound when one is missing) and
    // makes the listener theirs.
    void bind(Element& panel, CheckboxListener* listener);
    // Puts each switch in the state of its document field; a switch that changes saves.
    void show_document();
    // True when the checkbox is one of the switches; its state then is the document's.
    bool take_state(Checkbox& checkbox);
    // Stars, constellations and planets are all hidden: the sky shows nothing to find.
    bool sky_emptied() const;

private:
    Document& document;
    std::array<Checkbox*, SWITCHES.size()> boxes{};
};

} // namespace stellaro
