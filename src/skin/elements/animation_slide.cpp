#include "skin/elements/animation_kinds.h"

namespace stellaro {

void SlideAnimation::draw(RenderSurface& surface, Point origin)
{
    const Size size = to.size();
    const double rest = 1 - progress();
    const ClipScope clip(surface, origin, size);
    Point from_at = origin;
    Point to_at = origin;
    switch (side) {
    case Side::RIGHT: {
        const auto s = static_cast<int32_t>(rest * size.width);
        from_at.x += s - size.width;
        to_at.x += s;
        break;
    }
    case Side::BOTTOM: {
        const auto s = static_cast<int32_t>(rest * size.height);
        from_at.y += s - size.height;
        to_at.y += s;
        break;
    }
    case Side::LEFT: {
        const auto s = static_cast<int32_t>(rest * -size.width);
        from_at.x += size.width + s;
        to_at.x += s;
        break;
    }
    case Side::TOP: {
        const auto s = static_cast<int32_t>(rest * -size.height);
        from_at.y += size.height + s;
        to_at.y += s;
        break;
    }
    }
    surface.draw(from, from_at, plain_copy_painter());
    surface.draw(to, to_at, to_painter());
}

} // namespace stellaro
