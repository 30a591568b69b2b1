#include "shell_test_support.h"

#include "skin/surface/span_filler.h"

namespace stellaro {

void RecordingScreen::paint(RenderSurface& surface, Point origin)
{
    surface.apply(origin, painted.width < 0 ? Size{width(), height()} : painted, SolidFiller(to_pixel(colour)));
}

} // namespace stellaro
