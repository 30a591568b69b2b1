#pragma once
#include "skin/elements/animation.h"

#include <vector>

namespace stellaro {

// "scale": the incoming image grows from the centre.
class ScaleAnimation final : public VisibilityAnimation {
public:
    ScaleAnimation() : VisibilityAnimation(1.0) {}
    std::unique_ptr<VisibilityAnimation> clone() const override { return std::make_unique<ScaleAnimation>(); }
    void draw(RenderSurface& surface, Point origin) override;
};

// "pop": grows from the centre past its size and settles back.
class PopAnimation final : public VisibilityAnimation {
public:
    PopAnimation() : VisibilityAnimation(0.5) {}
    std::unique_ptr<VisibilityAnimation> clone() const override { return std::make_unique<PopAnimation>(); }
    void draw(RenderSurface& surface, Point origin) override;
};

// "right", "bottom", "left", "top": the incoming image slides in from that side, pushing the
// outgoing one out on the opposite side.
class SlideAnimation final : public VisibilityAnimation {
public:
    enum class Side : int32_t { RIGHT, BOTTOM, LEFT, TOP };

    explicit SlideAnimation(Side side) : VisibilityAnimation(1.0), side(side) {}
    std::unique_ptr<VisibilityAnimation> clone() const override { return std::make_unique<SlideAnimation>(side); }
    void draw(RenderSurface& surface, Point origin) override;

private:
    Side side;
};

// "flip": a card turned half round its vertical centre line in perspective, the outgoing image
// on its front and the incoming one on its back.
class FlipAnimation final : public VisibilityAnimation {
public:
    FlipAnimation() : VisibilityAnimation(0.5) {}
    std::unique_ptr<VisibilityAnimation> clone() const override { return std::make_unique<FlipAnimation>(); }
    void draw(RenderSurface& surface, Point origin) override;

private:
    void draw_face(RenderSurface& surface, const RenderSurface& face, Point centre, double angle,
                   const SpanPainter& painter);

    std::vector<int32_t> columns;
    std::vector<int32_t> row_steps;
    RenderSurface row;
};

} // namespace stellaro
