#pragma once
#include <cstddef>
#include <vector>

namespace stellaro {

// Anti-aliased shapes collected as per-pixel coverage 0..1. Overlapping shapes take the larger
// coverage, so the joints of a polyline are not drawn twice when the mask is blended once.
class CoverageMask {
public:
    CoverageMask(int width, int height);

    // A line of the given width with round ends; widths below one pixel fade instead of thinning.
    void line(double x0, double y0, double x1, double y1, double width);
    void disc(double cx, double cy, double radius);

    float at(int x, int y) const { return values[static_cast<size_t>(y) * width + x]; }
    void clear();

    const int width;
    const int height;

private:
    void cover(int x, int y, float coverage);
    std::vector<float> values;
};

} // namespace stellaro
