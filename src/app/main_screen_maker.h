#pragma once
#include "skin/elements/element.h"
#include "skin/props/properties.h"

#include <memory>

namespace stellaro {

// The program's main screen, built from the skin's "Main" node: the one place where it is made,
// at the end of the start-up. Throws ScreenError when the skin cannot make it.
std::unique_ptr<Element> make_main_screen(Properties& properties);

} // namespace stellaro
