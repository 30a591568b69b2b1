#include "sky/label_placement.h"

#include <algorithm>
#include <array>
#include <optional>

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

bool LabelPlacer::inside(const LabelBox& box) const
{
    if (area.width <= 0 || area.height <= 0)
        return true;
    return box.left >= 0 && box.top >= 0 && box.right <= area.width && box.bottom <= area.height;
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
        // A free place on the view first; at the edge, one partly off it.
        std::optional<LabelBox> chosen;
        for (const Point& top_left : candidates) {
            const LabelBox box = box_at(top_left, wish.size);
            const bool on_view = inside(box);
            if ((on_view || !chosen) && is_free(box)) {
                chosen = box;
                if (on_view)
                    break;
            }
        }
        if (chosen) {
            taken.push_back(*chosen);
            places.push_back({wish.id, *chosen});
        }
    }
    return places;
}

} // namespace stellaro
