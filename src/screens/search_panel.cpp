#include "screens/search_panel.h"

#include "skin/kinds/vlist.h"
#include "skin/props/skincore.h"

#include <algorithm>
#include <string>

namespace stellaro {

namespace {

constexpr const char16_t* PANEL = u"panel_search";
constexpr const char16_t* LIST_IDS[] = {u"list_stars", u"list_constellations", u"list_planets"};
constexpr const char16_t* RULER_IDS[] = {u"ruler_stars", u"ruler_constellations"};
constexpr SkyKind KINDS[] = {SkyKind::star, SkyKind::constellation, SkyKind::body};

std::u16string decimal(int32_t value)
{
    const std::string digits = std::to_string(value);
    return {digits.begin(), digits.end()};
}

Element& part(Element& panel, std::u16string_view id)
{
    Element* found = panel.find_child(id);
    if (!found)
        throw skincore::NodeNotFound(PANEL, std::u16string(id));
    return *found;
}

// One row of a name list: the skin's even or odd row template with the name in "big" and, when
// the template has it, the designation in "small".
class SearchRow : public VListItem {
public:
    SearchRow(VList& list, const SearchPanel& panel, SearchTab tab) : VListItem(&list), panel(panel), tab(tab) {}

    void bind(VList&, bool) override
    {
        send_text(u"big", panel.row_name(tab, index()));
        send_text(u"small", panel.row_designation(tab, index()));
    }

private:
    const SearchPanel& panel;
    SearchTab tab;
};

} // namespace

SearchPanel::SearchPanel(Element& panel_search, Stars& sky, Properties& properties, SearchPanelListener& listener)
    : properties(properties), listener(listener), star_ruler(properties, *this), constellation_ruler(properties, *this)
{
    rebuild(panel_search, sky);
}

SearchPanel::~SearchPanel()
{
    for (VList* list : lists)
        if (list)
            list->set_source(nullptr, 0);
}

void SearchPanel::rebuild(Element& panel_search, Stars& new_sky)
{
    sky = &new_sky;
    for (size_t i = 0; i < lists.size(); ++i) {
        auto* list = dynamic_cast<VList*>(panel_search.find_child(LIST_IDS[i]));
        if (!list)
            throw skincore::NodeNotFound(PANEL, LIST_IDS[i]);
        lists[i] = list;
    }
    hint_ = &part(panel_search, u"hint");
    hint_->set_visible(false);
    star_ruler.attach(part(panel_search, RULER_IDS[0]));
    constellation_ruler.attach(part(panel_search, RULER_IDS[1]));
    for (size_t i = 0; i < lists.size(); ++i)
        lists[i]->set_source(this, static_cast<int32_t>(names(static_cast<SearchTab>(i)).size()));
    star_ruler.set_letters(ruler_letters(sky->star_names()));
    constellation_ruler.set_letters(ruler_letters(sky->constellation_names()));
    show_tab(tab_);
}

void SearchPanel::show_tab(SearchTab tab)
{
    tab_ = tab;
    for (size_t i = 0; i < lists.size(); ++i)
        lists[i]->set_visible(static_cast<SearchTab>(i) == tab);
    star_ruler.host()->set_visible(tab == SearchTab::stars);
    constellation_ruler.host()->set_visible(tab == SearchTab::constellations);
}

void SearchPanel::clear_selection()
{
    for (VList* list : lists)
        list->set_selection(-1);
}

AlphabetRuler* SearchPanel::ruler(SearchTab tab)
{
    if (tab == SearchTab::stars)
        return &star_ruler;
    if (tab == SearchTab::constellations)
        return &constellation_ruler;
    return nullptr;
}

const NameIndex& SearchPanel::names(SearchTab tab) const
{
    switch (tab) {
    case SearchTab::constellations:
        return sky->constellation_names();
    case SearchTab::planets:
        return sky->planet_names();
    case SearchTab::stars:
        break;
    }
    return sky->star_names();
}

SearchTab SearchPanel::tab_of(const VList& list) const
{
    for (size_t i = 0; i < lists.size(); ++i)
        if (lists[i] == &list)
            return static_cast<SearchTab>(i);
    return SearchTab::stars;
}

std::u16string SearchPanel::row_name(SearchTab tab, int32_t index) const
{
    const NameIndex& entries = names(tab);
    return index >= 0 && static_cast<size_t>(index) < entries.size() ? entries[static_cast<size_t>(index)].first : u"";
}

std::u16string SearchPanel::row_designation(SearchTab tab, int32_t index) const
{
    const NameIndex& entries = names(tab);
    if (index < 0 || static_cast<size_t>(index) >= entries.size())
        return {};
    const int32_t object = entries[static_cast<size_t>(index)].second;
    const SkyCatalog& catalog = sky->catalog();
    switch (tab) {
    case SearchTab::stars: {
        const StarRecord* star = catalog.stars.find(object);
        if (!star)
            return {};
        std::u16string text;
        if (star->bayer_letter != 0)
            text = std::u16string(1, star->bayer_letter) + u" " + star->constellation_code + u" \u00B7 ";
        return text + u"HR " + decimal(star->id);
    }
    case SearchTab::constellations:
        return object >= 0 && static_cast<size_t>(object) < catalog.constellations.size()
                   ? catalog.constellations[static_cast<size_t>(object)].code
                   : u"";
    case SearchTab::planets: {
        const auto body = static_cast<Body>(object);
        if (body == Body::sun)
            return properties.translate(u"KindStar");
        return properties.translate(body == Body::moon ? u"KindSatellite" : u"KindPlanet");
    }
    }
    return {};
}

std::unique_ptr<VListItem> SearchPanel::create_item(VList& list, int32_t index)
{
    const SearchTab tab = tab_of(list);
    if (index < 0 || static_cast<size_t>(index) >= names(tab).size())
        return nullptr;
    auto row = std::make_unique<SearchRow>(list, *this, tab);
    const char16_t* node = index % 2 == 0 ? EVEN_ROW : ODD_ROW;
    if (!row->load_from_skin(properties, node))
        throw skincore::NodeNotFound(u"", node);
    if (!row->find_child(u"big"))
        throw skincore::NodeNotFound(node, u"big");
    return row;
}

void SearchPanel::item_clicked(VList& list, int32_t index)
{
    const SearchTab tab = tab_of(list);
    const NameIndex& entries = names(tab);
    if (index < 0 || static_cast<size_t>(index) >= entries.size())
        return;
    // Copied first: the listener may rebuild what the index lives in.
    const int32_t object = entries[static_cast<size_t>(index)].second;
    const SkyKind kind = KINDS[static_cast<size_t>(tab)];
    list.set_selection(index);
    listener.search_chosen(kind);
    sky->select(SkyObject{kind, object});
}

void SearchPanel::follow_finger(int32_t y)
{
    // A hint the skin anchors at the top of its parent moves down beside the finger; one
    // anchored otherwise stays where the skin puts it.
    Element* area = hint_->parent();
    const bool movable = hint_->anchor_y == AnchorMode::MIN_SIDE || hint_->anchor_y == AnchorMode::MIN_SIDE_NO_SIZE;
    if (!movable || !area)
        return;
    const int32_t top = std::clamp(y - area->y() - hint_->height() / 2, 0, std::max(0, area->height() - hint_->height()));
    if (top == hint_->border_min.y)
        return;
    hint_->border_min.y = top;
    hint_->invalidate_measure();
    hint_->request_repaint();
}

void SearchPanel::letter_event(AlphabetRuler& ruler, const RulerEvent& event)
{
    hint_->set_visible(event.held);
    if (event.index < 0)
        return;
    hint_->send_text(u"#text", event.letter);
    if (event.held) {
        follow_finger(event.y);
        return;
    }
    const SearchTab tab = &ruler == &star_ruler ? SearchTab::stars : SearchTab::constellations;
    const NameIndex& entries = names(tab);
    for (size_t i = 0; i < entries.size(); ++i) {
        if (!entries[i].first.empty() && event.letter.size() == 1 && entries[i].first.front() == event.letter.front()) {
            list(tab).scroll_to(static_cast<int32_t>(i));
            return;
        }
    }
}

} // namespace stellaro
