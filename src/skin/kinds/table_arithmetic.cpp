#include "skin/kinds/table_arithmetic.h"

#include <algorithm>
#include <numeric>

namespace stellaro {

namespace {

// The part of total that falls to the run of weights ending at `after`, with cumulative rounding
// so that the parts add up to total.
int32_t cumulative_share(int64_t before, int64_t after, int64_t total, int64_t divisor)
{
    return static_cast<int32_t>(after * total / divisor - before * total / divisor);
}

// Shares grow among the cells still below their full size in even passes; a cell that reaches its
// full size stops there and hands its surplus to the next pass.
void share_growth(const std::vector<TableCell>& cells, std::vector<int32_t>& sizes, int64_t grow)
{
    std::vector<size_t> growing;
    for (size_t i = 0; i < cells.size(); ++i) {
        if (cells[i].full > cells[i].shrunk)
            growing.push_back(i);
    }
    while (grow > 0 && !growing.empty()) {
        const auto n = static_cast<int64_t>(growing.size());
        int64_t surplus = 0;
        std::vector<size_t> still;
        for (int64_t k = 0; k < n; ++k) {
            const size_t i = growing[static_cast<size_t>(k)];
            const int64_t share = (k + 1) * grow / n - k * grow / n;
            const int64_t room = cells[i].full - sizes[i];
            if (share >= room) {
                sizes[i] = cells[i].full;
                surplus += share - room;
            } else {
                sizes[i] += static_cast<int32_t>(share);
                still.push_back(i);
            }
        }
        grow = surplus;
        growing = std::move(still);
    }
}

// Adds rest to the cells with a ratio, each in proportion to its ratio.
void share_rest(const std::vector<TableCell>& cells, std::vector<int32_t>& sizes, int64_t rest)
{
    int64_t ratios = 0;
    for (const TableCell& cell : cells)
        ratios += std::max(cell.ratio, 0);
    if (rest <= 0 || ratios == 0)
        return;
    int64_t sum = 0;
    for (size_t i = 0; i < cells.size(); ++i) {
        if (cells[i].ratio <= 0)
            continue;
        const int64_t before = sum;
        sum += cells[i].ratio;
        sizes[i] += cumulative_share(before, sum, rest, ratios);
    }
}

struct AxisView {
    TableAxis axis;

    Measure measured(Element& child) const
    {
        return axis == TableAxis::HORIZONTAL ? child.cached_width() : child.cached_height();
    }
    AnchorMode anchor(const Element& child) const
    {
        return axis == TableAxis::HORIZONTAL ? child.anchor_x : child.anchor_y;
    }
    int32_t border_min(const Element& child) const
    {
        return axis == TableAxis::HORIZONTAL ? child.border_min.x : child.border_min.y;
    }
    int32_t border_max(const Element& child) const
    {
        return axis == TableAxis::HORIZONTAL ? child.border_max.x : child.border_max.y;
    }
    int32_t design(const Element& table) const
    {
        return axis == TableAxis::HORIZONTAL ? table.design_size.x : table.design_size.y;
    }
    int32_t start(const Element& table) const { return axis == TableAxis::HORIZONTAL ? table.x() : table.y(); }
    int32_t length(const Element& table) const
    {
        return axis == TableAxis::HORIZONTAL ? table.width() : table.height();
    }
    void place(Element& child, int32_t at, int32_t length) const
    {
        if (axis == TableAxis::HORIZONTAL)
            child.set_horizontal(at, length);
        else
            child.set_vertical(at, length);
    }
};

std::vector<Element*> visible_children(const Element& table)
{
    std::vector<Element*> shown;
    for (const auto& child : table.children()) {
        if (child->effectively_visible())
            shown.push_back(child.get());
    }
    return shown;
}

} // namespace

int32_t table_border(AnchorMode mode, int32_t border_min, int32_t border_max)
{
    switch (mode) {
    case AnchorMode::MIN_SIDE:
    case AnchorMode::MIN_SIDE_NO_SIZE:
        return border_min;
    case AnchorMode::MAX_SIDE:
    case AnchorMode::MAX_SIDE_NO_SIZE:
        return border_max;
    default:
        return border_min + border_max;
    }
}

std::optional<std::vector<int32_t>> table_slots(const std::vector<TableCell>& cells, int32_t length)
{
    int64_t borders = 0;
    int64_t sum_full = 0;
    int64_t sum_shrunk = 0;
    for (const TableCell& cell : cells) {
        borders += cell.border;
        sum_full += cell.full;
        sum_shrunk += cell.shrunk;
    }
    const int64_t room = length - borders;
    if (room < 1)
        return std::nullopt;

    std::vector<int32_t> sizes(cells.size());
    if (room > sum_shrunk) {
        for (size_t i = 0; i < cells.size(); ++i)
            sizes[i] = cells[i].shrunk;
        share_growth(cells, sizes, std::min(room, sum_full) - sum_shrunk);
        share_rest(cells, sizes, room - std::max(sum_full, sum_shrunk));
    } else {
        int64_t sum = 0;
        for (size_t i = 0; i < cells.size(); ++i) {
            const int64_t before = sum;
            sum += cells[i].shrunk;
            sizes[i] = cumulative_share(before, sum, room, sum_shrunk);
        }
    }
    for (size_t i = 0; i < cells.size(); ++i)
        sizes[i] += cells[i].border;
    return sizes;
}

void measure_table(Element& table, TableAxis axis, Measure& measure)
{
    const AxisView view{axis};
    measure.minimum = std::max(measure.minimum, view.design(table));
    int64_t required = 0;
    int64_t shrinkable = 0;
    for (Element* child : visible_children(table)) {
        const Measure size = view.measured(*child);
        required += required_length(view.anchor(*child), view.border_min(*child), size.minimum, view.border_max(*child));
        shrinkable += size.minimum - size.natural;
    }
    measure.minimum = std::max<int32_t>(measure.minimum, static_cast<int32_t>(required));
    measure.natural = std::max<int32_t>(measure.natural, static_cast<int32_t>(required - shrinkable));
}

void arrange_table(Element& table, TableAxis axis)
{
    const AxisView view{axis};
    const std::vector<Element*> shown = visible_children(table);
    std::vector<TableCell> cells;
    cells.reserve(shown.size());
    for (Element* child : shown) {
        const Measure size = view.measured(*child);
        cells.push_back({size.minimum, size.natural,
                         table_border(view.anchor(*child), view.border_min(*child), view.border_max(*child)),
                         child->table_ratio});
    }
    const std::optional<std::vector<int32_t>> slots = table_slots(cells, view.length(table));
    int32_t slot_start = view.start(table);
    for (size_t i = 0; i < shown.size(); ++i) {
        Element& child = *shown[i];
        if (!slots) {
            view.place(child, slot_start, 0);
            continue;
        }
        const Placement placed = place_along(view.anchor(child), view.border_min(child), cells[i].full,
                                             view.border_max(child), (*slots)[i]);
        view.place(child, slot_start + placed.offset, placed.length);
        slot_start += (*slots)[i];
    }
}

} // namespace stellaro
