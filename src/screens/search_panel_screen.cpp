#include "screens/search_panel_screen.h"

#include "document/document.h"
#include "skin/props/skincore.h"

namespace stellaro {

namespace {

constexpr const char16_t* TAB_IDS[] = {u"button_stars", u"button_constellations", u"button_planets"};

} // namespace

SearchPanelScreen::SearchPanelScreen() = default;

SearchPanelScreen::~SearchPanelScreen()
{
    // The panel lets go of the lists before the elements go.
    search.reset();
}

void SearchPanelScreen::build(Properties& properties)
{
    search.reset();
    if (!load_from_skin(properties, NODE))
        throw skincore::NodeNotFoundInSkin(NODE);
    stars = dynamic_cast<Stars*>(find_child(u"stars"));
    if (!stars)
        throw skincore::NodeNotFound(NODE, u"stars");
    panel_search = find_child(u"panel_search");
    if (!panel_search)
        throw skincore::NodeNotFound(NODE, u"panel_search");
    for (size_t i = 0; i < tabs.size(); ++i) {
        tabs[i] = dynamic_cast<Checkbox*>(panel_search->find_child(TAB_IDS[i]));
        if (!tabs[i])
            throw skincore::NodeNotFound(u"panel_search", TAB_IDS[i]);
        tabs[i]->set_listener(this);
        tabs[i]->set_state(i == 0 ? 1 : 0, false);
    }
    search = std::make_unique<SearchPanel>(*panel_search, *stars, properties, *this);
    search->show_tab(SearchTab::stars);
    search->clear_selection();
    panel_search->set_visible(true);
    set_visible(true);
}

void SearchPanelScreen::on_click(Checkbox& checkbox, Point)
{
    // Exactly one tab is on: the one clicked.
    for (size_t i = 0; i < tabs.size(); ++i) {
        tabs[i]->set_state(tabs[i] == &checkbox ? 1 : 0, true);
        if (tabs[i] == &checkbox && search)
            search->show_tab(static_cast<SearchTab>(i));
    }
}

void SearchPanelScreen::search_chosen(SkyKind kind)
{
    if (Document* document = Document::instance()) {
        bool& shown = kind == SkyKind::star ? document->show_stars
                      : kind == SkyKind::constellation ? document->show_constellations
                                                       : document->show_planets;
        if (!shown) {
            shown = true;
            document->save_settings();
        }
    }
    panel_search->show(false);
}

} // namespace stellaro
