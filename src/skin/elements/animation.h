#pragma once
#include "skin/surface/geometry.h"
#include "skin/surface/render_surface.h"
#include "skin/surface/span_painter.h"

#include <cstdint>
#include <memory>
#include <string_view>

namespace stellaro {

// Which way a visibility animation runs.
enum class Direction : int32_t {
    HIDE = -1, // from progress 1 down to 0
    SHOW = 1,  // from progress 0 up to 1
};

// Shows or hides an image with a short animation between the outgoing image ("from") and the
// incoming one ("to"), by a progress from 0 (hidden) to 1 (shown). Serves the elements'
// "visibility_animation" and the transitions between screens.
class VisibilityAnimation {
public:
    // The kind named by a skin ("scale", "pop", "right", "bottom", "left", "top", "flip");
    // null for any other text.
    static std::unique_ptr<VisibilityAnimation> parse(std::u16string_view text);

    virtual ~VisibilityAnimation() = default;
    VisibilityAnimation(const VisibilityAnimation&) = delete;
    VisibilityAnimation& operator=(const VisibilityAnimation&) = delete;

    // A new, idle animation of the same kind.
    virtual std::unique_ptr<VisibilityAnimation> clone() const = 0;
    // Takes over the buffers of the two surfaces (either may be null; a surface given is left
    // empty).
    virtual void start(RenderSurface* from, Direction direction, RenderSurface* to);
    // Draws the current state with its top-left corner at origin.
    virtual void draw(RenderSurface& surface, Point origin) = 0;

    bool running() const { return moving; }
    // The way it runs, or ran last.
    Direction direction() const { return heading; }
    double progress() const { return done; }
    double speed() const { return pace; }
    // Moves by dt seconds; at either end the animation stops and lets its images go.
    void advance(double dt);
    // Turns a running animation round (an element toggled again before it ended).
    void reverse() { heading = heading == Direction::SHOW ? Direction::HIDE : Direction::SHOW; }
    // The painter for the incoming image; plain copy until one is given.
    void set_painter(std::unique_ptr<SpanPainter> painter);

protected:
    explicit VisibilityAnimation(double speed) : pace(speed) {}

    const SpanPainter& to_painter() const { return painter ? *painter : plain_copy_painter(); }

    RenderSurface from;
    RenderSurface to;

private:
    void release_images();

    bool moving = false;
    Direction heading = Direction::SHOW;
    double done = 0;
    double pace;
    std::unique_ptr<SpanPainter> painter;
};

} // namespace stellaro
