#pragma once
#include "screens/search_panel.h"
#include "skin/elements/element.h"
#include "skin/kinds/checkbox.h"
#include "skin/props/properties.h"
#include "sky/stars.h"

#include <memory>

namespace stellaro {

// The search panel on its own over the sky, from the skin's "SearchPanel" node, to try and
// test it without the rest of the main screen: the tabs switch the lists, choosing a row
// switches that kind of object on in the document, closes the panel and turns the sky to it.
// The sky only shows here; it takes no input.
class SearchPanelScreen : public Element, public CheckboxListener, public SearchPanelListener {
public:
    static constexpr const char16_t* NODE = u"SearchPanel";

    SearchPanelScreen();
    ~SearchPanelScreen() override;

    // Builds the screen from the skin, the search panel open on the star tab. Throws
    // skincore::NodeNotFoundInSkin without the node and skincore::NodeNotFound when the node
    // lacks the sky, the panel or one of its parts.
    void build(Properties& properties);

    Stars* sky() const { return stars; }
    SearchPanel* panel() const { return search.get(); }

    void on_click(Checkbox& checkbox, Point point) override;
    void search_chosen(SkyKind kind) override;

private:
    Stars* stars = nullptr;
    Element* panel_search = nullptr;
    std::array<Checkbox*, 3> tabs{};
    std::unique_ptr<SearchPanel> search;
};

} // namespace stellaro
