#pragma once
#include "skin/elements/element.h"

#include <algorithm>

namespace stellaro {

// Makes the element one of its owner's input children, once however often its skin is read.
inline void take_input_from_owner(Element& element)
{
    Element* owner = element.owner();
    if (!owner)
        return;
    const auto& inputs = owner->input_children();
    if (std::find(inputs.begin(), inputs.end(), &element) == inputs.end())
        owner->add_input_child(&element);
}

} // namespace stellaro
