#include "skin/elements/animation_kinds.h"

#include <cmath>

namespace stellaro {

namespace {

// Draws the outgoing image in place and the incoming one stretched by factor about the centre.
void draw_grown(RenderSurface& surface, Point origin, const RenderSurface& from, const RenderSurface& to,
                double factor, const SpanPainter& painter)
{
    surface.draw(from, origin, plain_copy_painter());
    const Size full = to.size();
    const Size scaled{static_cast<int32_t>(full.width * factor), static_cast<int32_t>(full.height * factor)};
    const Point at = origin + Point{static_cast<int32_t>((full.width - scaled.width) * 0.5),
                                    static_cast<int32_t>((full.height - scaled.height) * 0.5)};
    surface.draw_scaled(to, at, scaled, painter);
}

} // namespace

void ScaleAnimation::draw(RenderSurface& surface, Point origin)
{
    const double p = progress();
    draw_grown(surface, origin, from, to, p * p, to_painter());
}

void PopAnimation::draw(RenderSurface& surface, Point origin)
{
    // Three half turns: the factor rises from 0 past 1 (about 1.24 at half a turn) and ends at 1.
    const double a = progress() * 4.71238898038469;
    draw_grown(surface, origin, from, to, 1 - std::cos(a) / (a + 1), to_painter());
}

} // namespace stellaro
