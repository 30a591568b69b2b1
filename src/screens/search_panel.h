#pragma once
#include "screens/alphabet_ruler.h"
#include "skin/elements/element.h"
#include "skin/kinds/vlist_source.h"
#include "skin/props/properties.h"
#include "sky/stars.h"

#include <array>
#include <cstdint>
#include <memory>

namespace stellaro {

class VList;

// The three tabs of the search panel.
enum class SearchTab { stars, constellations, planets };

// Told when the user has chosen an object in the search panel (the main screen).
class SearchPanelListener {
public:
    virtual ~SearchPanelListener() = default;
    // Before the sky selects the object: close the search panel with its animation and switch
    // on the view switch of that kind (star, constellation or body) so that it shows.
    virtual void search_chosen(SkyKind kind) = 0;
};

// What the search panel does: the name lists of stars, constellations and planets with their
// rows, the alphabet rulers beside the first two with the letter hint, and choosing a row,
// which selects the object in the sky view (the sky then turns to it). The panel's elements
// belong to the screen holding it; this object looks them up by name in "panel_search", and goes
// before them (or is rebuilt on new ones once they are gone).
class SearchPanel : public VListSource, public AlphabetRulerListener {
public:
    static constexpr const char16_t* EVEN_ROW = u"ListElementEven";
    static constexpr const char16_t* ODD_ROW = u"ListElementOdd";

    // Looks up the panel's parts and fills them (see rebuild).
    SearchPanel(Element& panel_search, Stars& sky, Properties& properties, SearchPanelListener& listener);
    ~SearchPanel() override;
    SearchPanel(const SearchPanel&) = delete;
    SearchPanel& operator=(const SearchPanel&) = delete;

    // Takes the panel's parts again after the skin was loaded anew (night mode, language): the
    // lists get the sky's name indexes, the rulers their initials, the hint is hidden and the
    // current tab is shown. Throws skincore::NodeNotFound for a missing part.
    void rebuild(Element& panel_search, Stars& sky);
    // Shows the list (and ruler) of the tab, hides the others'.
    void show_tab(SearchTab tab);
    SearchTab tab() const { return tab_; }
    // Clears the selection of every list; done each time the panel opens.
    void clear_selection();

    VList& list(SearchTab tab) const { return *lists[static_cast<size_t>(tab)]; }
    // The ruler of the star or constellation list; the planets have none (null).
    AlphabetRuler* ruler(SearchTab tab);
    Element& hint() const { return *hint_; }

    void item_clicked(VList& list, int32_t index) override;
    std::unique_ptr<VListItem> create_item(VList& list, int32_t index) override;
    void letter_event(AlphabetRuler& ruler, const RulerEvent& event) override;

    // The name and the designation a row shows.
    std::u16string row_name(SearchTab tab, int32_t index) const;
    std::u16string row_designation(SearchTab tab, int32_t index) const;

private:
    // The tab whose list that is; stars for a list that is not one of the three.
    SearchTab tab_of(const VList& list) const;
    const NameIndex& names(SearchTab tab) const;
    // Moves the hint level with the finger, inside the element holding it.
    void follow_finger(int32_t y);

    Properties& properties;
    SearchPanelListener& listener;
    Stars* sky = nullptr;
    std::array<VList*, 3> lists{};
    AlphabetRuler star_ruler;
    AlphabetRuler constellation_ruler;
    Element* hint_ = nullptr;
    SearchTab tab_ = SearchTab::stars;
};

} // namespace stellaro
