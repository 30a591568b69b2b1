#pragma once
#include <cstdint>
#include <string>

namespace stellaro {

// One entry of a pop-up menu, as the menu's listener describes it.
struct MenuItem {
    std::u16string id;            // what choosing the entry opens; also the language key of its text
    std::u16string text;          // shown unchanged when not empty, else the id translated
    std::u16string detail;        // for the listener's own use; the menu does not read it
    std::u16string template_name; // the skin node the entry is built from; empty: the menu's default
    bool enabled = true;
    bool separator = false;
    bool checked = false;
    uint8_t tag = 0;              // for the listener's own use
};

} // namespace stellaro
