#pragma once
#include "skin/elements/element.h"
#include "sky/stars.h"

namespace stellaro {

// The screen of the program until the main screen with its panels exists: the "Main" node of
// the skin, holding the sky. A tap selects the nearest object, a drag clears the selection, and
// the sky follows the clock while the document does.
class SkyScreen : public Element, public StarsListener {
public:
    static constexpr const char16_t* NODE = u"Main";

    SkyScreen();
    ~SkyScreen() override;

    // Builds the screen from the skin; false when the skin has no "Main" node with a sky in it.
    bool build(Properties& properties);
    Stars* sky() const { return stars; }

    void update(double elapsed) override;
    void drag_started() override;
    void tapped(const PointerEvent& event) override;

private:
    Stars* stars = nullptr;
};

} // namespace stellaro
