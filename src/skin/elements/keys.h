#pragma once
#include <cstdint>
#include <optional>
#include <string_view>

namespace stellaro {

// The toolkit's key codes; skins bind keys to buttons by their names.
enum KeyCode : uint8_t {
    KEY_NONE = 0, KEY_SHIFT, KEY_CTRL, KEY_ALT, KEY_LEFT, KEY_RIGHT, KEY_UP, KEY_DOWN, KEY_ESC, KEY_ENTER,
    KEY_SPACE, KEY_BACKSPACE, KEY_DEL, KEY_INSERT, KEY_HOME, KEY_END, KEY_PAGE_DOWN, KEY_PAGE_UP, KEY_TAB,
    KEY_CONTEXT_MENU, KEY_A, KEY_Z = KEY_A + 25, KEY_0, KEY_9 = KEY_0 + 9, KEY_STAR, KEY_HASH, KEY_CALL_MAKE,
    KEY_CALL_END, KEY_SLIDE, KEY_SOFT_LEFT, KEY_SOFT_RIGHT, KEY_VOLUME_UP, KEY_VOLUME_DOWN,
};

struct KeyEvent {
    uint8_t code = KEY_NONE;
    bool down = false;
    bool first = true; // false for an auto-repeated key down
};

// Windows virtual-key codes (the phone keys arrive as F1..F9) to key codes; 0 for anything else.
uint8_t key_from_virtual_key(uint32_t virtual_key);
// The key's name ("SOFT_LEFT", "A", "5", "*"), or nothing for a code without one.
std::optional<std::string_view> key_name(uint8_t code);
// The code whose name is exactly the text (letter case matters).
std::optional<uint8_t> key_from_name(std::string_view name);
std::optional<uint8_t> key_from_name(std::u16string_view name);

} // namespace stellaro
