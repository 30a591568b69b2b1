#include "coverage_mask.h"

#include <algorithm>
#include <cmath>

namespace stellaro {

CoverageMask::CoverageMask(int width, int height)
    : width(width), height(height), values(static_cast<size_t>(width) * height, 0.0f)
{
}

void CoverageMask::clear()
{
    std::fill(values.begin(), values.end(), 0.0f);
}

void CoverageMask::cover(int x, int y, float coverage)
{
    float& value = values[static_cast<size_t>(y) * width + x];
    value = std::max(value, coverage);
}

void CoverageMask::line(double x0, double y0, double x1, double y1, double line_width)
{
    const double half = std::max(line_width, 1.0) / 2.0;
    const double strength = std::min(line_width, 1.0);
    const int left = std::max(0, static_cast<int>(std::floor(std::min(x0, x1) - half - 1.0)));
    const int right = std::min(width - 1, static_cast<int>(std::ceil(std::max(x0, x1) + half + 1.0)));
    const int top = std::max(0, static_cast<int>(std::floor(std::min(y0, y1) - half - 1.0)));
    const int bottom = std::min(height - 1, static_cast<int>(std::ceil(std::max(y0, y1) + half + 1.0)));
    const double dx = x1 - x0;
    const double dy = y1 - y0;
    const double length2 = dx * dx + dy * dy;
    for (int y = top; y <= bottom; ++y) {
        for (int x = left; x <= right; ++x) {
            const double px = x + 0.5 - x0;
            const double py = y + 0.5 - y0;
            const double t = length2 > 0.0 ? std::clamp((px * dx + py * dy) / length2, 0.0, 1.0) : 0.0;
            const double distance = std::hypot(px - t * dx, py - t * dy);
            const double coverage = std::clamp(half + 0.5 - distance, 0.0, 1.0) * strength;
            if (coverage > 0.0)
                cover(x, y, static_cast<float>(coverage));
        }
    }
}

void CoverageMask::disc(double cx, double cy, double radius)
{
    const int left = std::max(0, static_cast<int>(std::floor(cx - radius - 1.0)));
    const int right = std::min(width - 1, static_cast<int>(std::ceil(cx + radius + 1.0)));
    const int top = std::max(0, static_cast<int>(std::floor(cy - radius - 1.0)));
    const int bottom = std::min(height - 1, static_cast<int>(std::ceil(cy + radius + 1.0)));
    // Discs smaller than a pixel keep their area as a fainter dot.
    const double strength = std::min(1.0, radius * radius * 4.0);
    const double r = std::max(radius, 0.5);
    for (int y = top; y <= bottom; ++y)
        for (int x = left; x <= right; ++x) {
            const double coverage = std::clamp(r + 0.5 - std::hypot(x + 0.5 - cx, y + 0.5 - cy), 0.0, 1.0) * strength;
            if (coverage > 0.0)
                cover(x, y, static_cast<float>(coverage));
        }
}

} // namespace stellaro
