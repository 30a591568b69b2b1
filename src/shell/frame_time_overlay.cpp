#include "shell/frame_time_overlay.h"

#include "fonts/font_layout.h"
#include "skin/surface/draw_text.h"
#include "skin/surface/span_filler.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace stellaro {

namespace {

constexpr Size BOX{150, 20};

uint8_t channel(double value)
{
    return static_cast<uint8_t>(std::clamp(std::lround(value), 0L, 255L));
}

} // namespace

void FrameTimeOverlay::add(uint32_t tick)
{
    ticks.push_back(tick);
    if (ticks.size() > SAMPLES)
        ticks.pop_front();
}

double FrameTimeOverlay::average_ms() const
{
    if (ticks.size() < 2)
        return 0.0;
    return static_cast<uint32_t>(ticks.back() - ticks.front()) / static_cast<double>(ticks.size() - 1);
}

std::u16string FrameTimeOverlay::text(bool animating) const
{
    const auto tenths = static_cast<long long>(average_ms() * 10.0);
    std::string line;
    if (!animating)
        line += "[";
    line += std::to_string(tenths / 10) + "." + std::to_string(tenths % 10) + " ms";
    if (!animating)
        line += "]";
    line += " " + std::to_string(RenderSurface::live_pixels() / 1000) + " Kp";
    return std::u16string(line.begin(), line.end());
}

Colour FrameTimeOverlay::colour_for(double ms)
{
    if (ms < 20.0)
        return {64, 255, 64, 255};
    if (ms < 40.0)
        return {channel(64.0 + (ms - 20.0) * (255.0 - 64.0) / 20.0), 255, 64, 255};
    if (ms < 60.0)
        return {255, channel(255.0 - (ms - 40.0) * (255.0 - 64.0) / 20.0), 64, 255};
    return {255, 64, 64, 255};
}

void FrameTimeOverlay::draw(RenderSurface& surface, const FontHandle& font, bool animating) const
{
    surface.apply({0, 0}, BOX, *dim_filler(128));
    if (ticks.size() < 2)
        return;
    draw_text(font, surface, colour_for(average_ms()), text(animating), {2, 0}, {BOX.width - 4, BOX.height}, HALIGN_LEFT,
              VALIGN_VCENTER, false);
}

} // namespace stellaro
