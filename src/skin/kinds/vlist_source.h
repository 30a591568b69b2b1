#pragma once
#include "skin/kinds/vlist_item.h"

#include <cstdint>
#include <memory>

namespace stellaro {

class VList;

// Supplies a list's items and hears which one was tapped; usually the screen holding the list.
class VListSource {
public:
    virtual ~VListSource() = default;
    // A tap on an item that did not hand the press on to a child of its own.
    virtual void item_clicked(VList& list, int32_t index) = 0;
    // A new item for the index, not yet bound; null when the index no longer exists.
    virtual std::unique_ptr<VListItem> create_item(VList& list, int32_t index) = 0;
};

} // namespace stellaro
