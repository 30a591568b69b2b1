#include "shell/menu_screen.h"

#include "shell/menu.h"

namespace stellaro {

bool MenuScreen::on_key(const KeyEvent& event)
{
    if (event.code == KEY_BACKSPACE && event.down) {
        menu.close();
        return true;
    }
    return Element::on_key(event);
}

} // namespace stellaro
