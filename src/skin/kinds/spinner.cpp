#include "skin/kinds/spinner.h"

#include <algorithm>
#include <cmath>

namespace stellaro {

namespace {

int32_t sign(double v) { return v > 0 ? 1 : v < 0 ? -1 : 0; }

// The non-negative remainder of v by n.
double wrap(double v, int32_t n)
{
    const double r = std::fmod(v, n);
    const double wrapped = r < 0 ? r + n : r;
    // A tiny negative remainder rounds up to n itself, which is row 0 again.
    return wrapped >= n ? 0.0 : wrapped;
}

// Whole turns between two positions of a cyclic drum of n rows.
int32_t turns(double from, double to, int32_t n)
{
    return static_cast<int32_t>(std::floor(to / n) - std::floor(from / n));
}

} // namespace

Spinner::Spinner(Element* owner) : Element(owner)
{
    if (owner)
        owner->add_input_child(this);
}

Spinner::~Spinner() { rows.clear(); }

void Spinner::init_from_skin(Properties& properties, const SkinBlock* block)
{
    Element::init_from_skin(properties, block);
    const int32_t size = properties.get_int(block, u"element_size", DEFAULT_ROW_PX);
    // A row needs a height, or the drum could never be drawn to its end.
    row_px = size > 0 ? size : DEFAULT_ROW_PX;
    rows.clear();
}

void Spinner::set_range(int32_t row_count, bool is_cyclic)
{
    value_ = 0;
    target_ = 0;
    speed = 0;
    count_ = std::max(row_count, 0);
    cyclic_ = is_cyclic;
    rows.clear();
    request_repaint();
}

void Spinner::set_value(double v)
{
    if (!std::isfinite(v) || v == value_)
        return;
    const bool wraps = cyclic_ && count_ > 0;
    const int32_t crossings = wraps ? turns(value_, v, count_) : 0;
    value_ = wraps ? wrap(v, count_) : v;
    target_ -= static_cast<double>(count_) * crossings;
    request_repaint();
    if (listener)
        listener->value_changed(*this, crossings);
}

void Spinner::remake_rows()
{
    rows.clear();
    request_repaint();
}

void Spinner::set_target(double t)
{
    if (!std::isfinite(t) || t == target_)
        return;
    const double d = t - value_;
    target_ = t;
    direction = sign(d);
    speed = std::sqrt(std::abs(d) * SNAP_TIME_FACTOR);
}

void Spinner::propose(double raw)
{
    if (!listener || count_ == 0 || !std::isfinite(raw))
        return;
    SpinnerProposal proposal;
    proposal.raw = raw;
    proposal.wrapped = cyclic_ ? wrap(raw, count_) : raw;
    proposal.crossings = cyclic_ ? turns(value_, raw, count_) : 0;
    listener->value_proposed(*this, proposal);
}

bool Spinner::past_an_end() const { return !cyclic_ && (value_ < 0 || value_ > count_ - 1); }

void Spinner::update(double elapsed)
{
    Element::update(elapsed);
    if (speed == 0)
        return;
    speed = std::max(0.0, speed - elapsed);
    propose(target_ - direction * speed * speed / SNAP_TIME_FACTOR);
    // The drum keeps turning: its listener may move it only on the next frame.
    if (speed > 0)
        request_frame_after(0);
}

void Spinner::on_pointer_move(const PointerEvent& event)
{
    tracker.on_move(event);
    const int32_t h = height();
    const int32_t dy = tracker.delta_y();
    if (!tracker.pressed() || h <= 0 || count_ < 1 || dy == 0)
        return;
    const double over_top = -value_ * row_px;
    const double over_bottom = (value_ - (count_ - 1)) * row_px;
    double factor = 1;
    if (!cyclic_ && dy > 0 && over_top > 0)
        factor = std::max(0.0, 1 - 2 * over_top / h);
    else if (!cyclic_ && dy < 0 && over_bottom > 0)
        factor = std::max(0.0, 1 - 2 * over_bottom / h);
    propose(value_ - dy * factor / row_px);
}

bool Spinner::on_pointer_button(const PointerEvent& event)
{
    tracker.on_button(event);
    if (event.down) {
        speed = 0;
        return true;
    }
    if (count_ == 0)
        return true;
    double v = 0;
    if (!event.cancelled && !past_an_end())
        v = std::clamp(tracker.velocity_y() / row_px, -MAX_FLICK_ROWS_S, MAX_FLICK_ROWS_S);
    direction = sign(v);
    speed = std::sqrt(std::abs(v) * SNAP_TIME_FACTOR);
    target_ = value_ + direction * speed * speed / SNAP_TIME_FACTOR;
    if (listener)
        listener->snap_target(*this);
    return true;
}

Element* Spinner::row_element(int32_t row, std::vector<std::pair<int32_t, std::unique_ptr<Element>>>& drawn)
{
    for (auto& [number, element] : drawn) {
        if (number == row)
            return element.get();
    }
    const auto cached = std::find_if(rows.begin(), rows.end(), [&](const auto& entry) { return entry.first == row; });
    if (cached != rows.end()) {
        drawn.push_back(std::move(*cached));
        rows.erase(cached);
        return drawn.back().second.get();
    }
    std::unique_ptr<Element> made = listener ? listener->make_row_element(*this, row) : nullptr;
    if (!made)
        return nullptr;
    made->set_visible(true);
    drawn.emplace_back(row, std::move(made));
    return drawn.back().second.get();
}

void Spinner::paint(RenderSurface& surface, Point origin)
{
    if (count_ == 0)
        return;
    const int32_t h = height();
    const double p = value_ + 0.5;
    // Row numbers stay doubles until known to be in range: the value of a non-cyclic drum may be anything.
    double k = std::floor(p);
    int64_t y = h / 2 - static_cast<int64_t>(row_px * (p - k));
    while (y > 0) {
        y -= row_px;
        k -= 1;
    }
    std::vector<std::pair<int32_t, std::unique_ptr<Element>>> drawn;
    {
        ClipScope clip(surface, origin, {width(), h});
        for (; y < h; y += row_px, k += 1) {
            if (!cyclic_ && (k < 0 || k > count_ - 1))
                continue;
            const auto row = static_cast<int32_t>(cyclic_ ? wrap(k, count_) : k);
            Element* element = row_element(row, drawn);
            if (!element)
                continue;
            const auto row_y = static_cast<int32_t>(y);
            element->set_horizontal(x(), width());
            element->set_vertical(this->y() + row_y, row_px);
            element->draw(surface, origin + Point{0, row_y});
        }
    }
    // Rows not drawn this time go.
    rows = std::move(drawn);
    Element::paint(surface, origin);
}

void Spinner::append_parts(std::vector<Element*>& parts) const
{
    for (const auto& row : rows)
        parts.push_back(row.second.get());
}

void Spinner::describe(ElementState& state) const { state.value = value_; }

} // namespace stellaro
