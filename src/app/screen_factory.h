#pragma once
#include "skin/elements/element.h"
#include "skin/props/properties.h"

#include <memory>
#include <stdexcept>
#include <string>

namespace stellaro {

class Stars;

// A screen that cannot be made from the skin.
class ScreenError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Where a screen is shown: a window adds what only a keyboard user needs (the sky turns with
// the arrow keys); a picture stays as the scripted input leaves it.
enum class ScreenUse { PICTURE, WINDOW };

// Throws ScreenError when the loaded skin has no node of that name.
void check_screen_name(const Properties& properties, const std::string& name);

// The screen of that skin node: the sky screen for "Main", the gallery for "Gallery", the search
// panel over the sky for "SearchPanel", else the
// node's elements as they stand. Its id is the node's name, by which scripts and dumps know it.
// Throws ScreenError when the skin lacks the node or what the screen needs from it.
std::unique_ptr<Element> make_screen(Properties& properties, const std::string& name, ScreenUse use);

// The sky of a screen made by make_screen, or null when it shows none.
Stars* sky_of(Element& screen);

} // namespace stellaro
