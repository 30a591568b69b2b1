#pragma once
#include "screens/sky_screen.h"

namespace stellaro {

// The sky screen in a window: besides dragging and tapping, the arrow keys turn the view.
class WindowSkyScreen : public SkyScreen {
public:
    bool on_key(const KeyEvent& event) override;
};

} // namespace stellaro
