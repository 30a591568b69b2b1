#pragma once
#include "shell/menu.h"
#include "shell/menu_listener.h"
#include "skin/elements/element.h"
#include "skin/kinds/button.h"
#include "skin/kinds/spinner_listener.h"
#include "skin/kinds/vlist_source.h"
#include "skin/props/properties.h"

#include <memory>

namespace stellaro {

class Spinner;
class VList;

// The gallery of the toolkit: every element kind of the skin's "Gallery" node in its states,
// with what the kinds need from a screen: a long list, two drums of hours and minutes, a button
// held down and one disabled, a bar filled to 60 % and a button that opens a menu.
class GalleryScreen : public Element, public VListSource, public SpinnerListener, public ButtonListener,
                      public MenuListener {
public:
    static constexpr const char16_t* NODE = u"Gallery";
    static constexpr int32_t LIST_LENGTH = 25000;

    GalleryScreen() = default;
    ~GalleryScreen() override;

    // Builds the screen from the skin; throws skincore::NodeNotFoundInSkin without the node and
    // skincore::NodeNotFound when one of its working parts is missing.
    void build(Properties& properties);
    Menu* menu() const { return menu_.get(); }

    void item_clicked(VList& list, int32_t index) override;
    std::unique_ptr<VListItem> create_item(VList& list, int32_t index) override;

    void value_changed(Spinner& spinner, int32_t crossings) override;
    void value_proposed(Spinner& spinner, const SpinnerProposal& proposal) override;
    void snap_target(Spinner& spinner) override;
    std::unique_ptr<Element> make_row_element(Spinner& spinner, int32_t row) override;

    void on_click(Button& button, Point point) override;

    void command(int32_t context, std::u16string_view id, std::u16string& title, std::vector<MenuItem>& items) override;

private:
    template <typename Kind>
    Kind& part(std::u16string_view id);
    void set_up_drum(Spinner& drum, int32_t rows, int32_t start);

    Properties* properties = nullptr;
    VList* list = nullptr;
    Spinner* hours = nullptr;
    Spinner* minutes = nullptr;
    std::unique_ptr<Menu> menu_;
    bool night = false;
    bool grid = true;
};

} // namespace stellaro
