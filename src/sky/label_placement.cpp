#include "sky/label_placement.h"

#include <algorithm>
#include <array>

namespace stellaro {

namespace {

LabelBox box_at(Point top_left, Size size) { return {top_left.x, top_left.y, top_left.x + size.width, top_left.y + size.height}; }

// The positions tried, best first: under the point, beside it, above it, then the corners.
std::array<Point, 8> around(const LabelWish& w)
{
    const int32_t x = w.anchor.x, y = w.anchor.y, c = w.clearance, lw = w.size.width, lh = w.size.height;
    if (w.centred)
        return {Point{x - lw / 2, y - lh / 2}, Point{x - lw / 2, y + lh / 2}, Point{x - lw / 2, y - lh - lh / 2},
                Point{x + c, y - lh / 2}, Point{x - c - lw, y - lh / 2}, Point{x - lw / 2, y + lh + lh / 2},
                Point{x - lw / 2, y - 2 * lh - lh / 2}, Point{x - lw / 2, y + c}};
    return {Point{x - lw / 2, y + c},      Point{x + c + 1, y - lh / 2},  Point{x - c - 1 - lw, y - lh / 2},
            Point{x - lw / 2, y - c - lh}, Point{x + c, y + c},           Point{x + c, y - c - lh},
            Point{x - c - lw, y + c},      Point{x - c - lw, y - c - lh}};
}

} // namespace

void LabelPlacer::clear()
{
    wishes_.clear();
    taken.clear();
    places.clear();
}

void LabelPlacer::keep_clear(const LabelBox& box) { taken.push_back(box); }

void LabelPlacer::add(const LabelWish& wish)
{
    if (wish.size.width > 0 && wish.size.height > 0)
        wishes_.push_back(wish);
}

bool LabelPlacer::is_free(const LabelBox& box) const
{
    return std::none_of(taken.begin(), taken.end(), [&](const LabelBox& other) { return box.overlaps(other); });
}

const std::vector<LabelPlace>& LabelPlacer::place()
{
    places.clear();
    std::stable_sort(wishes_.begin(), wishes_.end(), [](const LabelWish& a, const LabelWish& b) {
        if (a.always != b.always)
            return a.always;
        return a.rank < b.rank;
    });
    for (const LabelWish& wish : wishes_) {
        const std::array<Point, 8> candidates = around(wish);
        if (wish.always) {
            taken.push_back(box_at(candidates[0], wish.size));
            places.push_back({wish.id, taken.back()});
            continue;
        }
        for (const Point& top_left : candidates) {
            const LabelBox box = box_at(top_left, wish.size);
            if (is_free(box)) {
                taken.push_back(box);
                places.push_back({wish.id, box});
                break;
            }
        }
    }
    return places;
}

} // namespace stellaro
