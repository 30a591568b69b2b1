#pragma once
#include <cstdint>
#include <vector>

namespace stellaro {

class SkyView;

// A run of pixels of one row that shows what lies below the horizon: columns x_begin up to
// (not including) x_end.
struct GroundSpan {
    int32_t y = 0;
    int32_t x_begin = 0;
    int32_t x_end = 0;
};

// The spans of the view below the horizon, row by row (solved per row from the view's altitude
// and scale, so the cost is one square root per row). Screen points off the view sphere count
// as the sphere's edge nearest to them.
void ground_spans(const SkyView& view, std::vector<GroundSpan>& spans);

} // namespace stellaro
