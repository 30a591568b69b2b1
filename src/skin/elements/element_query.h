#pragma once
#include "skin/elements/element.h"

#include <string_view>

namespace stellaro {

// Finding elements the way a user sees them, for scripted input: only elements that are shown
// (themselves and every ancestor visible) and have an area count.

// True when the element is shown and covers at least one pixel.
bool is_shown(const Element& element);

// The first shown element, depth first from root, whose id is the last name of the path and
// whose ancestors carry the earlier names in order ("panel/ok": an "ok" inside a "panel", at
// any depth); null when there is none.
Element* find_shown(Element& root, std::u16string_view path);

// The first shown element, depth first from root (a parent before its children), whose
// described text is exactly the text; null when there is none.
Element* find_showing_text(Element& root, std::u16string_view text);

// The centre of the element's rectangle.
Point centre_of(const Element& element);

} // namespace stellaro
