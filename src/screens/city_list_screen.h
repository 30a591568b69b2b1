#pragma once
#include "document/document.h"
#include "screens/city_filter.h"
#include "skin/elements/element.h"
#include "skin/kinds/button.h"
#include "skin/kinds/vlist_source.h"
#include "skin/props/properties.h"

#include <array>
#include <memory>
#include <string>

namespace stellaro {

class OldText;
class VList;

// The city list, from the skin node "Cities": every city of the document, narrowed by digits
// typed on the keypad ("2" .. "9", "del") or the keyboard (digits, letters as their keypad
// digits, Backspace), the matched letters in the highlight colour, only the digits that can
// extend a match enabled. Choosing a city makes it the document's place and closes the list;
// "back" and Escape close it without a change. It shows over the dimmed screen below and
// rebuilds itself when the skin is reloaded.
class CityListScreen : public ButtonListener, public VListSource, public PropertiesListener {
public:
    static constexpr const char16_t* NODE = u"Cities";
    // The colour of the matched letters: "color" of this node.
    static constexpr const char16_t* HIGHLIGHT_NODE = u"ListTextFiltered";
    static constexpr const char16_t* EVEN_ROW = u"ListElementEven";
    static constexpr const char16_t* ODD_ROW = u"ListElementOdd";

    // Throws skincore::NodeNotFoundInSkin without the node, skincore::NodeNotFound without one of
    // "back", "del", "2" .. "9", "cities", "filter" or "hint".
    CityListScreen(Properties& properties, Document& document);
    ~CityListScreen() override;
    CityListScreen(const CityListScreen&) = delete;
    CityListScreen& operator=(const CityListScreen&) = delete;

    // Opens the list on the application's screen stack with an empty filter, the current city
    // selected and scrolled to.
    void open();
    void close();
    bool is_open() const { return screen_ && !owned_screen; }

    // Types a digit; false (nothing changes) when no listed city continues with it.
    bool type_digit(char16_t digit);
    // Takes back the last digit typed; false when there is none.
    bool delete_digit();
    const std::u16string& filter() const { return filter_; }
    const CityFilterResult& result() const { return result_; }
    // The screen's element (for tests and the element dump).
    Element& screen() const { return *screen_; }

    void on_click(Button& button, Point point) override;
    void item_clicked(VList& list, int32_t index) override;
    std::unique_ptr<VListItem> create_item(VList& list, int32_t index) override;
    void reload_skin(Properties& properties) override;

private:
    class Screen;
    class Row;
    void build();
    // The screen's element is going (its owner may be the application): forget its parts.
    void screen_gone(const Element& gone);
    // Filters the cities by the typed digits and shows the result.
    void run_filter();

    Properties& properties;
    Document& document;
    std::u16string filter_;
    CityFilterResult result_;
    Colour highlight{0, 0, 0, 255};
    std::unique_ptr<Element> owned_screen;
    Element* screen_ = nullptr;
    VList* list = nullptr;
    Element* filter_text = nullptr;
    Element* hint = nullptr;
    Button* back = nullptr;
    Button* del = nullptr;
    std::array<Button*, 8> digits{};
};

} // namespace stellaro
