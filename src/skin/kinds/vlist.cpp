#include "skin/kinds/vlist.h"

#include "skin/io/log.h"

#include <algorithm>
#include <cmath>

namespace stellaro {

namespace {

PointerEvent cancel_event()
{
    PointerEvent event;
    event.x = -1;
    event.y = -1;
    event.cancelled = true;
    return event;
}

// value moved toward goal by at most step.
double approach(double value, double goal, double step)
{
    return value < goal ? std::min(value + step, goal) : std::max(value - step, goal);
}

} // namespace

VList::VList(Element* owner) : Element(owner)
{
    if (owner)
        owner->add_input_child(this);
}

VList::~VList()
{
    // Items go before the base destroys the children, while the list is still whole.
    pressed_item = nullptr;
    items.clear();
}

void VList::init_from_skin(Properties& properties, const SkinBlock* block)
{
    Element::init_from_skin(properties, block);
    border_top = properties.get_point(block, u"scroll_border_min", {0, 0}).y;
    border_bottom = properties.get_point(block, u"scroll_border_max", {0, 0}).y;
    locked_ = properties.get_int(block, u"locked", 0) != 0;
    grow = properties.get_int(block, u"grow", 0) != 0;
    reset(count_);
}

void VList::set_source(VListSource* new_source, int32_t item_count)
{
    source_ = new_source;
    reset(item_count);
    selection_ = -1;
}

void VList::reset(int32_t item_count)
{
    cancel_press();
    count_ = std::max(item_count, 0);
    items.clear();
    before = -1;
    next = 0;
    content = 0;
    needs_fill = true;
    offset_ = border_top;
    velocity_ = 0;
    if (grow)
        invalidate_measure();
    request_repaint();
}

void VList::scroll_to(int32_t index)
{
    if (pressed_item)
        return;
    index = std::clamp(index, 0, count_);
    reset(count_);
    before = index - 1;
    next = index;
    offset_ = border_top;
}

void VList::set_selection(int32_t index)
{
    if (index == selection_)
        return;
    const int32_t old = selection_;
    selection_ = index;
    for (const int32_t changed : {old, index}) {
        if (VListItem* item = item_at_index(changed))
            decorate(*item);
    }
    request_repaint();
}

void VList::refresh_item(int32_t index)
{
    if (index <= before || index >= next)
        return;
    if (VListItem* item = item_at_index(index))
        bind_item(*item, index, false);
    request_repaint();
}

void VList::remove_item(int32_t index)
{
    if (index < 0 || index >= count_)
        return;
    --count_;
    for (const auto& item : items) {
        if (item->index_ == index) {
            if (item.get() == pressed_item)
                cancel_press();
            item->index_ = -1;
            decorate(*item);
        } else if (item->index_ > index) {
            --item->index_;
        }
    }
    if (index <= before)
        --before;
    if (index < next)
        --next;
    // The selection stays on the same entry; it goes with a removed one.
    if (selection_ == index)
        selection_ = -1;
    else if (selection_ > index)
        --selection_;
    request_repaint();
}

VListItem* VList::item_at_index(int32_t index) const
{
    if (index < 0)
        return nullptr;
    for (const auto& item : items) {
        if (item->index_ == index)
            return item.get();
    }
    return nullptr;
}

int32_t VList::first_index() const
{
    for (const auto& item : items) {
        if (item->index_ >= 0)
            return item->index_;
    }
    return -1;
}

int32_t VList::viewport() const
{
    if (!grow)
        return height();
    const Element* root = this;
    while (root->parent())
        root = root->parent();
    return root->height();
}

std::unique_ptr<VListItem> VList::make_item(int32_t index)
{
    return source_ ? source_->create_item(*this, index) : nullptr;
}

void VList::bind_item(VListItem& item, int32_t index, bool is_new)
{
    item.index_ = index;
    item.bind(*this, is_new);
    item.set_visible(true);
    item.set_horizontal(x(), width());
    if (is_new)
        item.displayed = item.cached_height().minimum;
    decorate(item);
}

void VList::fill()
{
    const int32_t view = viewport();
    fill_upward();
    drop_from_top();
    fill_downward();
    drop_from_bottom();
    if (needs_fill)
        settle_bottom(view);
    position_items();
}

void VList::fill_upward()
{
    while (before != -1 && offset_ > 0) {
        std::unique_ptr<VListItem> item = make_item(before);
        if (!item) {
            remove_item(before);
            continue;
        }
        // Bound before it joins the list, so that a failing binding leaves nothing half made.
        bind_item(*item, before, true);
        VListItem& made = *item;
        items.push_front(std::move(item));
        offset_ -= made.displayed;
        content += made.displayed;
        --before;
    }
}

void VList::drop_from_top()
{
    while (!items.empty() && items.front()->displayed <= -offset_) {
        VListItem& first = *items.front();
        if (&first == pressed_item)
            cancel_press();
        offset_ += first.displayed;
        content -= first.displayed;
        if (first.index_ != -1)
            before = first.index_;
        items.pop_front();
    }
}

void VList::fill_downward()
{
    const int32_t view = viewport();
    while (next != count_ && content + offset_ < view) {
        std::unique_ptr<VListItem> item = make_item(next);
        if (!item) {
            --count_;
            continue;
        }
        bind_item(*item, next, true);
        VListItem& made = *item;
        items.push_back(std::move(item));
        content += made.displayed;
        ++next;
    }
}

void VList::drop_from_bottom()
{
    const int32_t view = viewport();
    while (!items.empty() && content + offset_ - items.back()->displayed >= view) {
        VListItem& last = *items.back();
        if (&last == pressed_item)
            cancel_press();
        content -= last.displayed;
        if (last.index_ != -1)
            next = last.index_;
        items.pop_back();
    }
}

void VList::settle_bottom(int32_t view)
{
    const double end = view - border_bottom;
    const double gap = end - (content + offset_);
    // Content ending above the bottom border moves down, but never past the top border.
    if (gap > 0 && offset_ < border_top)
        offset_ = std::min(offset_ + gap, static_cast<double>(border_top));
    while (before != -1 && content + offset_ < end) {
        const double room = end - content - offset_;
        std::unique_ptr<VListItem> item = make_item(before);
        if (!item) {
            remove_item(before);
            continue;
        }
        bind_item(*item, before, true);
        VListItem& made = *item;
        items.push_front(std::move(item));
        content += made.displayed;
        --before;
        if (made.displayed > room)
            offset_ += room - made.displayed;
    }
    needs_fill = false;
}

void VList::position_items()
{
    double top = y() + std::floor(offset_);
    for (const auto& item : items) {
        const int32_t row = static_cast<int32_t>(std::floor(top));
        item->set_horizontal(x(), width());
        item->set_vertical(row, item->cached_height().minimum);
        top += item->displayed;
    }
}

VListItem* VList::item_under(int32_t y_px) const
{
    double top = y() + std::floor(offset_);
    for (const auto& item : items) {
        const double bottom = top + item->displayed;
        if (y_px >= std::floor(top) && y_px < std::floor(bottom))
            return item->index_ == -1 ? nullptr : item.get();
        top = bottom;
    }
    return nullptr;
}

void VList::decorate(VListItem& item) const
{
    const bool pressed = &item == pressed_item && !item.took_press;
    const bool selected = item.index_ != -1 && item.index_ == selection_;
    if (Element* normal = item.find_child(u"#vlist_normal"))
        normal->set_visible(!pressed && !selected);
    if (Element* shown_pressed = item.find_child(u"#vlist_pressed"))
        shown_pressed->set_visible(pressed);
    if (Element* shown_selected = item.find_child(u"#vlist_selected"))
        shown_selected->set_visible(selected && !pressed);
}

void VList::cancel_press()
{
    if (!pressed_item)
        return;
    VListItem* item = pressed_item;
    pressed_item = nullptr;
    if (item->took_press) {
        item->took_press = false;
        item->on_pointer_button(cancel_event());
    }
    decorate(*item);
    request_repaint();
}

void VList::arrange_x()
{
    Element::arrange_x();
    for (const auto& item : items)
        item->set_horizontal(x(), width());
}

void VList::arrange_y()
{
    Element::arrange_y();
    needs_fill = true;
    position_items();
}

void VList::measure_height(Measure& measure)
{
    Element::measure_height(measure);
    if (!grow)
        return;
    fill();
    const int32_t needed = static_cast<int32_t>(std::ceil(content)) + border_bottom + border_top;
    measure.minimum = std::max(measure.minimum, needed);
    measure.natural = std::max(measure.natural, needed);
    measured_content = content;
    log() << "Desired size=" << measure.minimum << "\n";
}

void VList::paint(RenderSurface& surface, Point origin)
{
    fill();
    const int32_t top = static_cast<int32_t>(std::floor(offset_));
    if (top > 0) {
        ClipScope strip(surface, origin, {width(), top});
        Element::paint(surface, origin);
    }
    const int32_t below = height() - static_cast<int32_t>(content) - top;
    if (below > 0) {
        ClipScope strip(surface, origin + Point{0, height() - below}, {width(), below});
        Element::paint(surface, origin);
    }
    ClipScope whole(surface, origin, {width(), height()});
    for (const auto& item : items) {
        const int32_t item_y = item->y() - y();
        const int32_t shown = static_cast<int32_t>(std::floor(item->y() + item->displayed)) - item->y();
        if (shown <= 0)
            continue;
        ClipScope row(surface, origin + Point{0, item_y}, {width(), shown});
        item->draw(surface, origin + Point{item->x() - x(), item_y});
    }
}

void VList::press(const PointerEvent& event)
{
    cancel_press();
    if (velocity_ != 0)
        return;
    VListItem* item = item_under(event.y);
    if (!item)
        return;
    pressed_item = item;
    item->took_press = item->on_pointer_button(event);
    decorate(*item);
}

void VList::release(const PointerEvent& event)
{
    if (pressed_item) {
        velocity_ = 0;
        VListItem* item = pressed_item;
        if (event.cancelled || item_under(event.y) != item) {
            cancel_press();
        } else if (!item->took_press) {
            const int32_t index = item->index_;
            cancel_press();
            if (source_)
                source_->item_clicked(*this, index);
        } else {
            pressed_item = nullptr;
            item->took_press = false;
            item->on_pointer_button(event);
            decorate(*item);
        }
        return;
    }
    const bool past_top = top_reached() && overscroll() > 0;
    const bool past_bottom = bottom_reached() && bottom_gap() > 0;
    if (past_top || past_bottom || locked_ || event.cancelled)
        velocity_ = 0;
    else
        velocity_ = std::clamp(-tracker.velocity_y(), -MAX_FLING_PX_S, MAX_FLING_PX_S);
}

bool VList::on_pointer_button(const PointerEvent& event)
{
    tracker.on_button(event);
    if (event.down)
        press(event);
    else
        release(event);
    request_repaint();
    return true;
}

void VList::on_pointer_move(const PointerEvent& event)
{
    tracker.on_move(event);
    if (!tracker.pressed() || height() <= 0)
        return;
    if (pressed_item && pressed_item->took_press)
        pressed_item->on_pointer_move(event);
    const int32_t d = tracker.delta_y();
    if (!locked_ && d != 0) {
        double factor = 1.0;
        if (d > 0 && top_reached() && overscroll() > 0)
            factor = std::max(1 - 2 * overscroll() / height(), 0.0);
        else if (d < 0 && bottom_reached() && bottom_gap() > 0)
            factor = std::max(1 - 2 * bottom_gap() / height(), 0.0);
        offset_ += d * factor;
        fill();
    }
    if (pressed_item && tracker.dragging())
        cancel_press();
    request_repaint();
}

bool VList::animate_heights(double dt)
{
    bool moved = false;
    const VListItem* selected = item_at_index(selection_);
    bool above_selected = selected != nullptr;
    for (auto it = items.begin(); it != items.end();) {
        VListItem& item = **it;
        const double goal = item.index_ == -1 ? 0.0 : item.cached_height().minimum;
        if (&item == selected)
            above_selected = false;
        if (item.displayed != goal) {
            const double old = item.displayed;
            item.displayed = approach(old, goal, HEIGHT_SPEED_PX_S * dt);
            const double change = item.displayed - old;
            content += change;
            // The selected entry stays where it is while the others change around it.
            if (above_selected)
                offset_ -= change;
            else if (&item == selected)
                offset_ -= change / 2;
            moved = true;
        }
        if (item.index_ == -1 && item.displayed <= 0) {
            if (&item == pressed_item)
                pressed_item = nullptr;
            it = items.erase(it);
            continue;
        }
        ++it;
    }
    return moved;
}

void VList::apply_friction(double dt)
{
    double friction = 2 * std::abs(velocity_) + 9;
    if (tracker.pressed() && !pressed_item)
        friction *= PRESSED_BRAKE;
    velocity_ = velocity_ < 0 ? std::min(velocity_ + friction * dt, 0.0) : std::max(velocity_ - friction * dt, 0.0);
}

void VList::apply_springs(double dt)
{
    if (velocity_ < 0 && bottom_reached() && bottom_gap() > 0)
        velocity_ = std::min(velocity_ + (bottom_gap() + 1) * dt * SPRING_PER_PX, 0.0);
    else if (velocity_ > 0 && top_reached() && overscroll() > 0)
        velocity_ = std::max(velocity_ - (overscroll() + 1) * dt * SPRING_PER_PX, 0.0);
}

bool VList::rest_toward_borders(double dt)
{
    if (velocity_ != 0 || tracker.pressed())
        return false;
    double goal = offset_;
    const bool fits = content + border_top + border_bottom <= height();
    if (top_reached() && (overscroll() >= 0 || fits))
        goal = border_top;
    else if (bottom_reached() && bottom_gap() >= 0)
        goal = height() - border_bottom - content;
    if (goal == offset_)
        return false;
    offset_ = approach(offset_, goal, REST_SPEED_PX_S * dt);
    return true;
}

void VList::update(double elapsed)
{
    Element::update(elapsed);
    bool moved = animate_heights(elapsed);
    if (velocity_ != 0) {
        offset_ += velocity_ * elapsed;
        moved = true;
    }
    if (moved)
        fill();
    if (items.empty()) {
        // Nothing to scroll: the list waits at its top border.
        moved = moved || velocity_ != 0 || offset_ != border_top;
        offset_ = border_top;
        velocity_ = 0;
    }
    apply_friction(elapsed);
    apply_springs(elapsed);
    if (!items.empty() && rest_toward_borders(elapsed)) {
        fill();
        moved = true;
    }
    if (pressed_item && tracker.pressed() && !tracker.samples().empty() &&
        item_under(tracker.samples().back().y) != pressed_item)
        cancel_press();
    for (const auto& item : items) {
        item->update(elapsed);
        moved = moved || item->needs_repaint();
    }
    if (grow && content != measured_content)
        invalidate_measure();
    if (moved && effectively_visible())
        request_repaint();
    else if (velocity_ != 0 && effectively_visible())
        // A spring has just given the list a speed: it moves from the next frame on.
        request_frame_after(0);
}

void VList::append_parts(std::vector<Element*>& parts) const
{
    for (const auto& item : items)
        parts.push_back(item.get());
}

void VList::describe(ElementState& state) const
{
    state.selection = selection_;
    state.first_item = first_index();
}

} // namespace stellaro
