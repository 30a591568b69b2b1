#include "skin/elements/element.h"

#include "skin/elements/element_factory.h"
#include "skin/io/log.h"
#include "skin/surface/span_filler.h"

#include <algorithm>
#include <atomic>
#include <utility>

namespace stellaro {

namespace {

std::atomic<int64_t> live_elements{0};

bool holds(const std::vector<Element*>& list, const Element* element)
{
    return std::find(list.begin(), list.end(), element) != list.end();
}

PointerEvent cancel_event()
{
    PointerEvent event;
    event.x = -1;
    event.y = -1;
    event.down = false;
    event.cancelled = true;
    return event;
}

// The element whose load_from_skin is running: it owns, for input and layout, every element the
// load creates, however deep, so that a button inside plain nodes is reached from its screen.
Element* loading_root = nullptr;

} // namespace

Element::Element(Element* owner) : owner_(owner) { ++live_elements; }

Element::~Element()
{
    --live_elements;
    destroy_children();
    // Ancestors may have registered this element for input anywhere above; none keeps it.
    for (Element* ancestor = parent_; ancestor; ancestor = ancestor->parent_)
        ancestor->forget_input(this);
}

int64_t Element::live_count() { return live_elements; }

void Element::destroy_children()
{
    // Last first; each child still knows its parent while it dies, so that its ancestors forget it.
    while (!children_.empty()) {
        std::unique_ptr<Element> child = std::move(children_.back());
        children_.pop_back();
        child.reset();
    }
}

void Element::forget_input(Element* element)
{
    std::erase(inputs, element);
    std::erase(captures, element);
}

void Element::forget_subtree_input(const Element& subtree)
{
    const auto inside = [&](const Element* element) {
        for (const Element* up = element; up; up = up->parent_) {
            if (up == &subtree)
                return true;
        }
        return false;
    };
    for (Element* ancestor = this; ancestor; ancestor = ancestor->parent_) {
        std::erase_if(ancestor->inputs, inside);
        std::erase_if(ancestor->captures, inside);
    }
}

void Element::dump(int indent) const
{
    const Size cache_size = cache_surface.size();
    log() << std::u16string(static_cast<size_t>(std::max(indent, 0)), u'\t') << "{" << id_ << "} position=(" << x_
          << ", " << y_ << ") size=(" << width_ << ", " << height_ << ") design_size=(" << design_size.x << ", "
          << design_size.y << ") rs.size=(" << cache_size.width << ", " << cache_size.height << ")\n";
    for (const auto& child : children_)
        child->dump(indent + 1);
}

void Element::send_text(std::u16string_view id, std::u16string_view text)
{
    for (size_t i = 0; i < children_.size(); ++i)
        children_[i]->send_text(id, text);
}

void Element::add_child(std::unique_ptr<Element> child)
{
    if (!child)
        return;
    Element* element = child.get();
    element->parent_ = this;
    children_.push_back(std::move(child));
    const bool was_visible = element->effectively_visible();
    const bool was_enabled = element->effectively_enabled();
    element->parent_visible = effectively_visible();
    element->parent_enabled = effectively_enabled();
    if (was_visible != element->effectively_visible())
        element->on_visible_changed(element->effectively_visible());
    if (was_enabled != element->effectively_enabled())
        element->on_enabled_changed(element->effectively_enabled());
    invalidate_measure();
}

std::unique_ptr<Element> Element::remove_child(Element* child)
{
    const auto found =
        std::find_if(children_.begin(), children_.end(), [&](const auto& owned) { return owned.get() == child; });
    if (found == children_.end())
        return nullptr;
    std::unique_ptr<Element> removed = std::move(*found);
    children_.erase(found);
    forget_subtree_input(*removed);
    removed->parent_ = nullptr;
    invalidate_measure();
    return removed;
}

void Element::init_from_skin(Properties& properties, const SkinBlock* block)
{
    id_ = properties.get_string(block, u"id", u"");
    anchor_x = parse_anchor(properties.get_string(block, u"anchor_x", u""), AnchorMode::BOTH_SIDE);
    anchor_y = parse_anchor(properties.get_string(block, u"anchor_y", u""), AnchorMode::BOTH_SIDE);
    if (properties.has_records(block, skin_format::POINT)) {
        border_min = properties.get_point(block, u"border_min", {0, 0});
        design_size = properties.get_point(block, u"design_size", {0, 0});
        border_max = properties.get_point(block, u"border_max", {0, 0});
    }
    if (properties.has_records(block, skin_format::INTEGER) || properties.has_records(block, skin_format::FONT)) {
        table_ratio = properties.get_int(block, u"table_ratio", 0);
        cached = properties.get_int(block, u"cache", 0) != 0;
        if (cached) {
            const int32_t alpha = properties.get_int(block, u"cache_alpha", -1);
            cache_painter = alpha != -1 ? alpha_painter(alpha) : plain_copy_painter().clone();
        }
    }
    const uint32_t count = properties.child_count(block);
    for (uint32_t i = 0; i < count; ++i)
        add_child(create_element(properties, properties.child_block(block, i), loading_root ? loading_root : this));
    const std::u16string kind = properties.get_string(block, u"visibility_animation", u"");
    if (!kind.empty()) {
        animation = VisibilityAnimation::parse(kind);
        if (animation && cache_painter)
            animation->set_painter(cache_painter->clone());
    }
    outside_color = properties.get_color(block, u"outside_color", {0, 0, 0, 255});
}

void Element::set_enabled(bool flag)
{
    const bool before = effectively_enabled();
    enabled_ = flag;
    if (before != effectively_enabled())
        on_enabled_changed(effectively_enabled());
}

void Element::on_enabled_changed(bool effective)
{
    for (size_t i = 0; i < children_.size(); ++i) {
        Element& child = *children_[i];
        const bool before = child.effectively_enabled();
        child.parent_enabled = effective;
        if (before != child.effectively_enabled())
            child.on_enabled_changed(child.effectively_enabled());
    }
    request_repaint();
}

void Element::set_visible(bool flag)
{
    const bool before = effectively_visible();
    const bool changed = visible_ != flag;
    visible_ = flag;
    if (before != effectively_visible()) {
        on_visible_changed(effectively_visible());
        if (parent_)
            parent_->request_repaint();
    }
    // Screens set the visibility of their parts on every frame: only a change lays them out again.
    if (changed)
        invalidate_measure();
    if (flag)
        return;
    cancel_captures();
    // An element hidden while an ancestor routes the pointer to it is told the press is over.
    bool held = false;
    for (Element* ancestor = parent_; ancestor; ancestor = ancestor->parent_) {
        if (holds(ancestor->captures, this)) {
            std::erase(ancestor->captures, this);
            held = true;
        }
    }
    if (held)
        on_pointer_button(cancel_event());
}

void Element::cancel_captures()
{
    if (captures.empty())
        return;
    const std::vector<Element*> was = std::move(captures);
    captures.clear();
    const PointerEvent cancel = cancel_event();
    for (Element* element : was) {
        if (holds(inputs, element))
            element->on_pointer_button(cancel);
    }
}

void Element::on_visible_changed(bool effective)
{
    for (size_t i = 0; i < children_.size(); ++i) {
        Element& child = *children_[i];
        const bool before = child.effectively_visible();
        child.parent_visible = effective;
        if (before != child.effectively_visible())
            child.on_visible_changed(child.effectively_visible());
    }
    invalidate_measure();
    if (!effective) {
        RenderSurface empty;
        cache_surface.swap_buffers(empty);
    }
}

void Element::update(double elapsed)
{
    if (animation && animation->running()) {
        animation->advance(elapsed);
        request_repaint();
        return;
    }
    for (size_t i = 0; i < children_.size(); ++i)
        children_[i]->update(elapsed);
}

void Element::paint(RenderSurface& surface, Point origin)
{
    for (size_t i = 0; i < children_.size(); ++i) {
        Element& child = *children_[i];
        child.draw(surface, origin + Point{child.x_ - x_, child.y_ - y_});
    }
}

void Element::arrange_x()
{
    for (size_t i = 0; i < children_.size(); ++i)
        place_child_x(*children_[i]);
}

void Element::arrange_y()
{
    for (size_t i = 0; i < children_.size(); ++i)
        place_child_y(*children_[i]);
}

void Element::place_child_x(Element& child)
{
    const Measure size = child.cached_width();
    const Placement place = place_along(child.anchor_x, child.border_min.x, size.minimum, child.border_max.x, width_);
    child.set_horizontal(x_ + place.offset, place.length);
}

void Element::place_child_y(Element& child)
{
    const Measure size = child.cached_height();
    const Placement place = place_along(child.anchor_y, child.border_min.y, size.minimum, child.border_max.y, height_);
    child.set_vertical(y_ + place.offset, place.length);
}

void Element::measure_width(Measure& measure)
{
    measure.minimum = std::max(measure.minimum, design_size.x);
    measure.natural = std::max(measure.natural, design_size.x);
    for (size_t i = 0; i < children_.size(); ++i) {
        Element& child = *children_[i];
        const Measure size = child.cached_width();
        const int32_t need = required_length(child.anchor_x, child.border_min.x, size.minimum, child.border_max.x);
        measure.minimum = std::max(measure.minimum, need);
        measure.natural = std::max(measure.natural, size.natural - size.minimum + need);
    }
}

void Element::measure_height(Measure& measure)
{
    measure.minimum = std::max(measure.minimum, design_size.y);
    measure.natural = std::max(measure.natural, design_size.y);
    for (size_t i = 0; i < children_.size(); ++i) {
        Element& child = *children_[i];
        const Measure size = child.cached_height();
        const int32_t need = required_length(child.anchor_y, child.border_min.y, size.minimum, child.border_max.y);
        measure.minimum = std::max(measure.minimum, need);
        measure.natural = std::max(measure.natural, size.natural - size.minimum + need);
    }
}

Measure Element::cached_width()
{
    if (!measured_w.valid()) {
        Measure measure;
        measure_width(measure);
        measured_w = measure;
    }
    return measured_w;
}

Measure Element::cached_height()
{
    if (!measured_h.valid()) {
        Measure measure;
        measure_height(measure);
        measured_h = measure;
    }
    return measured_h;
}

bool Element::contains(Point point) const
{
    return point.x >= x_ && point.x < x_ + width_ && point.y >= y_ && point.y < y_ + height_;
}

void Element::on_pointer_move(const PointerEvent& event)
{
    const Point point{event.x, event.y};
    if (!captures.empty()) {
        const std::vector<Element*> was = std::move(captures);
        captures.clear();
        for (Element* element : was) {
            if (!holds(inputs, element) || !element->effectively_visible() || !element->effectively_enabled())
                continue;
            element->on_pointer_move(event);
            if (holds(inputs, element) && element->effectively_visible() && element->effectively_enabled() &&
                !holds(captures, element))
                captures.push_back(element);
        }
        return;
    }
    const std::vector<Element*> snapshot = inputs;
    for (Element* element : snapshot) {
        if (holds(inputs, element) && element->contains(point) && element->effectively_visible() &&
            element->effectively_enabled())
            element->on_pointer_move(event);
    }
}

bool Element::on_pointer_button(const PointerEvent& event)
{
    if (!captures.empty() && !event.down) {
        const std::vector<Element*> was = std::move(captures);
        captures.clear();
        for (Element* element : was) {
            if (holds(inputs, element) && element->effectively_visible() && element->effectively_enabled())
                element->on_pointer_button(event);
        }
        return true;
    }
    if (captures.empty() && event.down) {
        const Point point{event.x, event.y};
        const std::vector<Element*> snapshot = inputs;
        for (Element* element : snapshot) {
            if (holds(inputs, element) && element->contains(point) && element->effectively_visible() &&
                element->effectively_enabled() && element->on_pointer_button(event) && holds(inputs, element))
                captures.push_back(element);
        }
        return !captures.empty();
    }
    return false;
}

bool Element::on_key(const KeyEvent& event)
{
    const std::vector<Element*> snapshot = inputs;
    for (Element* element : snapshot) {
        if (holds(inputs, element) && element->effectively_visible() && element->effectively_enabled() &&
            element->on_key(event))
            return true;
    }
    return false;
}

bool Element::on_text(std::u16string_view text)
{
    const std::vector<Element*> snapshot = inputs;
    for (Element* element : snapshot) {
        if (holds(inputs, element) && element->effectively_visible() && element->effectively_enabled() &&
            element->on_text(text))
            return true;
    }
    return false;
}

void Element::describe(ElementState&) const {}

void Element::append_parts(std::vector<Element*>&) const {}

bool Element::refresh_cache()
{
    if (width_ <= 0 || height_ <= 0) {
        RenderSurface empty;
        cache_surface.swap_buffers(empty);
        return false;
    }
    cache_surface.recreate({width_, height_});
    if (!cache_surface.has_buffer())
        return false;
    cache_surface.apply({0, 0}, {width_, height_}, SolidFiller(TRANSPARENT_KEY));
    paint(cache_surface, {0, 0});
    return true;
}

void Element::draw(RenderSurface& surface, Point origin)
{
    if (animation && animation->running()) {
        animation->draw(surface, origin);
        return;
    }
    if (!effectively_visible())
        return;
    if (cached && cache_painter) {
        if (!cache_surface.has_buffer() || repaint || cache_surface.size() != Size{width_, height_})
            refresh_cache();
        if (cache_surface.has_buffer())
            surface.draw(cache_surface, origin, *cache_painter);
    } else {
        paint(surface, origin);
    }
    repaint = false;
}

void Element::show(bool flag)
{
    if (flag == visible_)
        return;
    if (flag)
        set_visible(true);
    if (animation) {
        if (animation->running()) {
            animation->reverse();
        } else {
            Element& placed = owner_ ? *owner_ : *this;
            placed.set_horizontal(placed.x_, placed.width_);
            placed.set_vertical(placed.y_, placed.height_);
            if (refresh_cache())
                animation->start(nullptr, flag ? Direction::SHOW : Direction::HIDE, &cache_surface);
        }
        request_repaint();
    }
    if (!flag)
        set_visible(false);
}

void Element::set_horizontal(int32_t x, int32_t width)
{
    if (x == x_ && width == width_ && !layout_x)
        return;
    x_ = x;
    width_ = width;
    layout_x = true;
    repaint = true;
    if (layout_observer)
        layout_observer->horizontal_changed(*this);
    arrange_x();
    layout_x = false;
}

void Element::set_vertical(int32_t y, int32_t height)
{
    if (y == y_ && height == height_ && !layout_y)
        return;
    y_ = y;
    height_ = height;
    layout_y = true;
    repaint = true;
    if (layout_observer)
        layout_observer->vertical_changed(*this);
    arrange_y();
    layout_y = false;
}

bool Element::load_from_skin(Properties& properties, std::u16string_view name)
{
    const SkinBlock* block = properties.find_block(name);
    if (!block)
        return false;
    destroy_children();
    captures.clear();
    Element* const outer = loading_root;
    loading_root = this;
    // Elements of a failed load may have registered for input here before they were attached:
    // the registrations made before the load are all that may stay.
    const std::vector<Element*> kept_inputs = inputs;
    try {
        init_from_skin(properties, block);
    } catch (...) {
        loading_root = outer;
        destroy_children();
        inputs = kept_inputs;
        captures.clear();
        throw;
    }
    loading_root = outer;
    invalidate_measure();
    return true;
}

void Element::add_input_child(Element* element)
{
    if (element)
        inputs.push_back(element);
}

Element* Element::find_child(std::u16string_view id) const
{
    for (const auto& child : children_) {
        if (child->id_ == id)
            return child.get();
    }
    for (const auto& child : children_) {
        if (Element* found = child->find_child(id))
            return found;
    }
    return nullptr;
}

void Element::invalidate_measure()
{
    for (Element* element = this; element; element = element->parent_) {
        element->measured_w = Measure::invalid();
        element->measured_h = Measure::invalid();
        element->layout_x = true;
        element->layout_y = true;
    }
}

void Element::request_repaint()
{
    for (Element* element = this; element; element = element->parent_)
        element->repaint = true;
}

void Element::request_frame_after(double seconds)
{
    Element* root = this;
    while (root->parent_)
        root = root->parent_;
    root->frame_wait_seconds = std::min(root->frame_wait_seconds, std::max(seconds, 0.0));
}

double Element::take_frame_wait_seconds()
{
    return std::exchange(frame_wait_seconds, NO_FRAME_WAIT);
}

} // namespace stellaro
