#pragma once
#include "skin/surface/geometry.h"

#include <cstdint>
#include <vector>

namespace stellaro {

// A label's rectangle in pixels, right and bottom exclusive.
struct LabelBox {
    int32_t left = 0, top = 0, right = 0, bottom = 0;

    bool overlaps(const LabelBox& other) const
    {
        return left < other.right && other.left < right && top < other.bottom && other.top < bottom;
    }
};

// A label that wants a place near its object's point.
struct LabelWish {
    int32_t id = 0;         // the caller's, handed back with the place
    Point anchor;           // the object's point
    Size size;              // the label's size
    int32_t clearance = 0;  // pixels kept between the point and the label (the object's radius)
    int32_t rank = 0;       // smaller wins a contested place: a brighter object
    bool always = false;    // placed first and whatever it covers (the selected object)
    bool centred = false;   // prefers to sit centred on the point (constellation names)
};

struct LabelPlace {
    int32_t id = 0;
    LabelBox box;
};

// Places labels so that no two overlap: each tries a few positions around its object, the more
// important first, and a label with no free position is dropped.
class LabelPlacer {
public:
    void clear();
    // The view: positions wholly inside it are preferred (none set: every position is inside).
    void set_area(Size size) { area = size; }
    // An area no label may cover (the compass and altitude marks).
    void keep_clear(const LabelBox& box);
    void add(const LabelWish& wish);
    // The places found, in the order of placing; valid until the next clear.
    const std::vector<LabelPlace>& place();
    size_t wishes() const { return wishes_.size(); }

private:
    bool is_free(const LabelBox& box) const;
    bool inside(const LabelBox& box) const;

    std::vector<LabelWish> wishes_;
    std::vector<LabelBox> taken;
    std::vector<LabelPlace> places;
    Size area{0, 0};
};

} // namespace stellaro
