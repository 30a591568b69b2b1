#pragma once
#include "skin/elements/element.h"

namespace stellaro {

// "clip": its children draw only inside its rectangle. Passes input on to the elements inside it.
class ClipBox : public Element {
public:
    explicit ClipBox(Element* owner = nullptr);

    void paint(RenderSurface& surface, Point origin) override;
};

} // namespace stellaro
