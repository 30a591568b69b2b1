#pragma once
#include "fonts/font_handle.h"
#include "skin/surface/pixel.h"
#include "skin/surface/render_surface.h"

#include <cstdint>
#include <deque>

namespace stellaro {

// The frame-time diagnostic drawn over the top-left corner while logging is on: the average
// milliseconds per frame over the last frames and the pixels held by all surfaces.
class FrameTimeOverlay {
public:
    static constexpr size_t SAMPLES = 20;

    // Notes a frame drawn at the tick.
    void add(uint32_t tick);
    void clear() { ticks.clear(); }
    size_t count() const { return ticks.size(); }
    // Average milliseconds between the noted frames; 0 with fewer than two.
    double average_ms() const;
    // The text, e.g. "[33.4 ms] 812 Kp" (the brackets only while nothing animates).
    std::u16string text(bool animating) const;
    void draw(RenderSurface& surface, const FontHandle& font, bool animating) const;

    // Green below 20 ms, turning yellow by 40 ms and red by 60 ms.
    static Colour colour_for(double ms);

private:
    std::deque<uint32_t> ticks;
};

} // namespace stellaro
