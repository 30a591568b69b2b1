#include "skin/kinds/clip_box.h"

#include "skin/kinds/kind_support.h"

namespace stellaro {

ClipBox::ClipBox(Element* owner) : Element(owner) { take_input_from_owner(*this); }

void ClipBox::paint(RenderSurface& surface, Point origin)
{
    const ClipScope scope(surface, origin, {width(), height()});
    Element::paint(surface, origin);
}

} // namespace stellaro
