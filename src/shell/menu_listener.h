#pragma once
#include "shell/menu_item.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace stellaro {

// Decides what a menu holds and what its entries do, with one operation: asked with a menu id
// it fills the entries; asked with an entry's id it performs it and leaves the entries empty,
// which closes the menu. A submenu is simply an entry whose id fills new entries.
class MenuListener {
public:
    virtual ~MenuListener() = default;
    // title arrives as the caption to show and may be changed.
    virtual void command(int32_t context, std::u16string_view id, std::u16string& title,
                         std::vector<MenuItem>& items) = 0;
};

} // namespace stellaro
