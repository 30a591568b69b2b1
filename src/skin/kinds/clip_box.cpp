#include "skin/kinds/clip_box.h"


namespace stellaro {

ClipBox::ClipBox(Element* owner) : Element(owner) {}

void ClipBox::paint(RenderSurface& surface, Point origin)
{
    const ClipScope scope(surface, origin, {width(), height()});
    Element::paint(surface, origin);
}

} // namespace stellaro
