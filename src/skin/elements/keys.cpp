#include "skin/elements/keys.h"

#include <array>
#include <string>

namespace stellaro {

namespace {

struct KeyNameRow {
    uint8_t code;
    const char* name;
};

// Rows 58 and 59 stand before 56 and 57, as the key table has always listed them.
constexpr std::array<KeyNameRow, 65> KEY_NAMES = {{
    {0, "None"}, {1, "Shift"}, {2, "Ctrl"}, {3, "Alt"}, {4, "Left"}, {5, "Right"}, {6, "Up"}, {7, "Down"},
    {8, "Esc"}, {9, "Enter"}, {10, "Space"}, {11, "Backspace"}, {12, "Del"}, {13, "Insert"}, {14, "Home"},
    {15, "End"}, {16, "PageDown"}, {17, "PageUp"}, {18, "Tab"}, {19, "ContextMenu"}, {20, "A"}, {21, "B"},
    {22, "C"}, {23, "D"}, {24, "E"}, {25, "F"}, {26, "G"}, {27, "H"}, {28, "I"}, {29, "J"}, {30, "K"},
    {31, "L"}, {32, "M"}, {33, "N"}, {34, "O"}, {35, "P"}, {36, "Q"}, {37, "R"}, {38, "S"}, {39, "T"},
    {40, "U"}, {41, "V"}, {42, "W"}, {43, "X"}, {44, "Y"}, {45, "Z"}, {46, "0"}, {47, "1"}, {48, "2"},
    {49, "3"}, {50, "4"}, {51, "5"}, {52, "6"}, {53, "7"}, {54, "8"}, {55, "9"}, {58, "CALL_MAKE"},
    {59, "CALL_END"}, {56, "*"}, {57, "#"}, {60, "SLIDE"}, {61, "SOFT_LEFT"}, {62, "SOFT_RIGHT"},
    {63, "VOLUME_UP"}, {64, "VOLUME_DOWN"},
}};

} // namespace

uint8_t key_from_virtual_key(uint32_t vk)
{
    if (vk >= '0' && vk <= '9')
        return static_cast<uint8_t>(KEY_0 + (vk - '0'));
    if (vk >= 'A' && vk <= 'Z')
        return static_cast<uint8_t>(KEY_A + (vk - 'A'));
    switch (vk) {
    case 8: return KEY_BACKSPACE;
    case 9: return KEY_TAB;
    case 13: return KEY_ENTER;
    case 16: return KEY_SHIFT;
    case 17: return KEY_CTRL;
    case 18: return KEY_ALT;
    case 27: return KEY_BACKSPACE; // the phone's back key
    case 32: return KEY_SPACE;
    case 33: return KEY_PAGE_UP;
    case 34: return KEY_PAGE_DOWN;
    case 35: return KEY_END;
    case 36: return KEY_HOME;
    case 37: return KEY_LEFT;
    case 38: return KEY_UP;
    case 39: return KEY_RIGHT;
    case 40: return KEY_DOWN;
    case 45: return KEY_INSERT;
    case 46: return KEY_DEL;
    case 93: return KEY_CONTEXT_MENU;
    case 112: return KEY_SOFT_LEFT;
    case 113: return KEY_SOFT_RIGHT;
    case 114: return KEY_CALL_MAKE;
    case 115: return KEY_CALL_END;
    case 117: return KEY_VOLUME_UP;
    case 118: return KEY_VOLUME_DOWN;
    case 119: return KEY_STAR;
    case 120: return KEY_HASH;
    default: return KEY_NONE;
    }
}

std::optional<std::string_view> key_name(uint8_t code)
{
    for (const KeyNameRow& row : KEY_NAMES)
        if (row.code == code)
            return std::string_view(row.name);
    return std::nullopt;
}

std::optional<uint8_t> key_from_name(std::string_view name)
{
    for (const KeyNameRow& row : KEY_NAMES)
        if (name == row.name)
            return row.code;
    return std::nullopt;
}

std::optional<uint8_t> key_from_name(std::u16string_view name)
{
    std::string narrow;
    for (char16_t c : name) {
        if (c >= 0x80)
            return std::nullopt;
        narrow.push_back(static_cast<char>(c));
    }
    return key_from_name(std::string_view(narrow));
}

} // namespace stellaro
