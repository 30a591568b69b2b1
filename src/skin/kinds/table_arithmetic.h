#pragma once
#include "skin/elements/element.h"
#include "skin/elements/layout.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace stellaro {

// One child of a table along the table's axis: its measured pair (the full size first, the size
// it can shrink to second), its border and its table_ratio.
struct TableCell {
    int32_t full = 0;
    int32_t shrunk = 0;
    int32_t border = 0;
    int32_t ratio = 0;
};

// The border a table keeps around a child: border_min for the MIN_SIDE modes, border_max for the
// MAX_SIDE modes, both otherwise.
int32_t table_border(AnchorMode mode, int32_t border_min, int32_t border_max);

// The slot lengths (border included) that share a table of the given length, in child order.
// Children start at their shrunk size, grow toward their full size in even passes, and what is
// left over goes to the children with a ratio, in proportion to it. A table shorter than its
// children's shrunk sizes shares the room in proportion to them, with cumulative rounding.
// Nothing when the length does not even cover the borders.
std::optional<std::vector<int32_t>> table_slots(const std::vector<TableCell>& cells, int32_t length);

enum class TableAxis { HORIZONTAL, VERTICAL };

// The measurement of a table from its design size and its visible children.
void measure_table(Element& table, TableAxis axis, Measure& measure);
// Places the visible children of a table side by side along the axis; hidden ones keep their
// placement.
void arrange_table(Element& table, TableAxis axis);

} // namespace stellaro
