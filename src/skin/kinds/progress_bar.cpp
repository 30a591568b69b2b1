#include "skin/kinds/progress_bar.h"

#include <algorithm>
#include <cmath>

namespace stellaro {

namespace {

// The bar's length: the fraction of what its borders leave of the element.
int32_t filled_length(AnchorMode mode, int32_t border_min, int32_t border_max, int32_t length, double value)
{
    const double filled = std::trunc((length - required_length(mode, border_min, 0, border_max)) * value);
    return filled < 1.0 ? 0 : static_cast<int32_t>(filled);
}

} // namespace

ProgressBar::ProgressBar(Element* owner) : Element(owner) {}

void ProgressBar::init_from_skin(Properties& properties, const SkinBlock* block)
{
    Element::init_from_skin(properties, block);
    bar = find_child(u"#line");
}

void ProgressBar::set_value(double value)
{
    value = std::isnan(value) ? 0.0 : std::clamp(value, 0.0, 1.0);
    if (value == value_)
        return;
    value_ = value;
    arrange_x();
    arrange_y();
    request_repaint();
}

void ProgressBar::arrange_x()
{
    for (const auto& child : children()) {
        if (child.get() != bar) {
            place_child_x(*child);
            continue;
        }
        const int32_t size = filled_length(bar->anchor_x, bar->border_min.x, bar->border_max.x, width(), value_);
        const Placement placed = place_along(bar->anchor_x, bar->border_min.x, size, bar->border_max.x, width());
        bar->set_horizontal(x() + placed.offset, placed.length);
    }
}

void ProgressBar::arrange_y()
{
    for (const auto& child : children()) {
        if (child.get() != bar) {
            place_child_y(*child);
            continue;
        }
        const int32_t size = filled_length(bar->anchor_y, bar->border_min.y, bar->border_max.y, height(), value_);
        const Placement placed = place_along(bar->anchor_y, bar->border_min.y, size, bar->border_max.y, height());
        bar->set_vertical(y() + placed.offset, placed.length);
    }
}

void ProgressBar::describe(ElementState& state) const { state.value = value_; }

} // namespace stellaro
