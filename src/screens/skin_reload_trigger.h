#pragma once
#include "skin/elements/element.h"
#include "skin/props/properties.h"

#include <memory>

namespace stellaro {

// Makes every screen rebuild itself from the skin once the current frame's work is done: opened
// as an overlay screen, on its next update it takes itself off the screen stack and tells the
// skin's listeners to reload. Night mode and a change of language go through it, so that the
// screens are not rebuilt while one of them is still handling the menu that asked for it.
class SkinReloadTrigger {
public:
    explicit SkinReloadTrigger(Properties& properties);
    ~SkinReloadTrigger();
    SkinReloadTrigger(const SkinReloadTrigger&) = delete;
    SkinReloadTrigger& operator=(const SkinReloadTrigger&) = delete;

    // Puts the trigger on the application's screen stack (once, however often it is asked).
    void arm();
    bool armed() const { return !owned; }

private:
    class Screen;
    void fire();

    Properties& properties;
    std::unique_ptr<Element> owned;
    Element* screen = nullptr;
};

} // namespace stellaro
