#pragma once
#include <cstdint>
#include <string_view>

namespace stellaro {

// How an element sits along one axis of its parent.
enum class AnchorMode : int32_t {
    MIN_SIDE = 0,         // at border_min from the start, its own size
    BOTH_SIDE = 1,        // stretched between border_min and border_max
    MAX_SIDE = 2,         // at border_max from the end, its own size
    RATIO = 3,            // as MIN_SIDE here; tables share their length by table_ratio
    CENTER = 4,           // centred between the borders, its own size
    MIN_SIDE_NO_SIZE = 5, // as MIN_SIDE, but never clipped to the parent nor enlarging it
    MAX_SIDE_NO_SIZE = 6, // as MAX_SIDE, likewise
};

// The mode named exactly ("MIN_SIDE", "BOTH_SIDE", ...); mode itself for any other text.
AnchorMode parse_anchor(std::u16string_view name, AnchorMode mode);

// A (minimum, natural) size pair; minimum -1 marks one not yet measured.
struct Measure {
    int32_t minimum = 0;
    int32_t natural = 0;

    bool valid() const { return minimum != -1; }
    static constexpr Measure invalid() { return {-1, 0}; }
    friend bool operator==(Measure, Measure) = default;
};

// The length a child needs from its parent along one axis: its size with the borders its mode
// keeps; 0 for the NO_SIZE modes.
int32_t required_length(AnchorMode mode, int32_t border_min, int32_t size, int32_t border_max);

// Where a child goes along one axis inside a parent of length parent_length: offset from the
// parent's start and length, never negative.
struct Placement {
    int32_t offset = 0;
    int32_t length = 0;
    friend bool operator==(Placement, Placement) = default;
};
Placement place_along(AnchorMode mode, int32_t border_min, int32_t measured_minimum, int32_t border_max,
                      int32_t parent_length);

} // namespace stellaro
