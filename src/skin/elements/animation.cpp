#include "skin/elements/animation.h"

#include "skin/elements/animation_kinds.h"

namespace stellaro {

std::unique_ptr<VisibilityAnimation> VisibilityAnimation::parse(std::u16string_view text)
{
    if (text == u"scale")
        return std::make_unique<ScaleAnimation>();
    if (text == u"pop")
        return std::make_unique<PopAnimation>();
    if (text == u"right")
        return std::make_unique<SlideAnimation>(SlideAnimation::Side::RIGHT);
    if (text == u"bottom")
        return std::make_unique<SlideAnimation>(SlideAnimation::Side::BOTTOM);
    if (text == u"left")
        return std::make_unique<SlideAnimation>(SlideAnimation::Side::LEFT);
    if (text == u"top")
        return std::make_unique<SlideAnimation>(SlideAnimation::Side::TOP);
    if (text == u"flip")
        return std::make_unique<FlipAnimation>();
    return nullptr;
}

void VisibilityAnimation::release_images()
{
    RenderSurface empty_from;
    from.swap_buffers(empty_from);
    RenderSurface empty_to;
    to.swap_buffers(empty_to);
}

void VisibilityAnimation::start(RenderSurface* outgoing, Direction direction, RenderSurface* incoming)
{
    release_images();
    if (outgoing)
        from.swap_buffers(*outgoing);
    if (incoming)
        to.swap_buffers(*incoming);
    moving = true;
    heading = direction;
    done = direction == Direction::SHOW ? 0.0 : 1.0;
}

void VisibilityAnimation::advance(double dt)
{
    if (!moving)
        return;
    const bool showing = heading == Direction::SHOW;
    done += (showing ? 1 : -1) * pace * dt * 5;
    if (showing && done >= 1) {
        done = 1;
        moving = false;
    } else if (!showing && done <= 0) {
        done = 0;
        moving = false;
    }
    if (!moving)
        release_images();
}

void VisibilityAnimation::set_painter(std::unique_ptr<SpanPainter> given)
{
    painter = std::move(given);
}

} // namespace stellaro
