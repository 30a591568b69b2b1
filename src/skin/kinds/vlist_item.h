#pragma once
#include "skin/elements/element.h"

#include <cstdint>

namespace stellaro {

class VList;

// An entry of a scrolling list: an ordinary element made by the list's source for one index.
// The list places it, animates its displayed height toward its measured height (so entries
// grow in and shrink away) and shows one of its state decorations.
class VListItem : public Element {
public:
    using Element::Element;

    // Fills the element from the source's data for its index; is_new on its first binding.
    virtual void bind(VList& list, bool is_new) = 0;

    // The index in the list; -1 once removed (the item is then shrinking away).
    int32_t index() const { return index_; }
    // The height the list gives the item now, moving toward its measured height.
    double displayed_height() const { return displayed; }

private:
    friend class VList;

    int32_t index_ = -1;
    double displayed = 0;
    // The item handed the current press on to one of its own children.
    bool took_press = false;
};

} // namespace stellaro
