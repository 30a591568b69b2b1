#pragma once
#include "skin/kinds/vlist_item.h"

namespace stellaro {

class Menu;

// The element of one menu entry in the menu's list, rebuilt from the entry's template on every
// binding: "#text" gets the entry's text, "separator" and "checked" show its flags.
class MenuItemElement : public VListItem {
public:
    MenuItemElement(Element* owner, Menu& menu) : VListItem(owner), menu(menu) {}

    // Throws skincore::NodeNotFoundInSkin when the skin lacks the entry's template.
    void bind(VList& list, bool is_new) override;

private:
    Menu& menu;
};

} // namespace stellaro
