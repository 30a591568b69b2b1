#pragma once
#include "skin/elements/element.h"

namespace stellaro {

class Menu;

// The element a menu puts on the screen stack; the back key (Backspace) closes the menu.
class MenuScreen : public Element {
public:
    explicit MenuScreen(Menu& menu) : menu(menu) {}

    bool on_key(const KeyEvent& event) override;

private:
    Menu& menu;
};

} // namespace stellaro
