#pragma once
#include "skin/elements/element.h"

#include <algorithm>

namespace stellaro {

// Makes sure pointer, key and text input reaches the element from the root of its tree: it
// becomes an input child of its parent, the parent of its own parent, and so on up. Containers
// such as plain nodes do not pass input on by themselves; a field inside them would otherwise
// never be reached. Links already there are kept, so calling it again changes nothing.
inline void route_input_from_root(Element& element)
{
    for (Element* child = &element; child->parent(); child = child->parent()) {
        Element& parent = *child->parent();
        const auto& inputs = parent.input_children();
        if (std::find(inputs.begin(), inputs.end(), child) == inputs.end())
            parent.add_input_child(child);
    }
}

} // namespace stellaro
