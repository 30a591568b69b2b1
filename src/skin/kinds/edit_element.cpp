#include "skin/kinds/edit_element.h"

#include "platform/clipboard.h"
#include "skin/kinds/edit_host.h"
#include "skin/surface/span_filler.h"

#include <algorithm>
#include <limits>

namespace stellaro {

namespace {

// The default selection: the text colour at this share (of 256) over the background.
constexpr int32_t SELECTION_SHARE = 100;

Colour mix(Colour over, Colour under, int32_t share)
{
    const auto channel = [share](uint8_t a, uint8_t b) {
        return static_cast<uint8_t>((a * share + b * (256 - share)) / 256);
    };
    return {channel(over.r, under.r), channel(over.g, under.g), channel(over.b, under.b), 255};
}

// Keys whose text arrives separately through on_text; the field takes them so that nothing
// bound to them acts while the user types.
// The letter keys of the clipboard shortcuts.
constexpr uint8_t letter_key(char letter) { return static_cast<uint8_t>(KEY_A + (letter - 'A')); }
constexpr uint8_t KEY_COPY = letter_key('C');
constexpr uint8_t KEY_CUT = letter_key('X');
constexpr uint8_t KEY_PASTE = letter_key('V');

bool is_typing_key(uint8_t code)
{
    return (code >= KEY_A && code <= KEY_Z) || (code >= KEY_0 && code <= KEY_9) || code == KEY_SPACE;
}

} // namespace

EditElement::EditElement(Element* owner) : TextElement(owner)
{
    if (owner)
        owner->add_input_child(this);
}

EditElement::~EditElement()
{
    if (editing())
        edit_host().set_active_edit(nullptr);
}

void EditElement::init_from_skin(Properties& properties, const SkinBlock* block)
{
    TextElement::init_from_skin(properties, block);
    background = properties.get_color(block, u"background_color", {0, 0, 0, 255});
    selection = properties.get_color(block, u"selection_color", mix(color(), background, SELECTION_SHARE));
    const std::u16string held = field_text(text());
    buffer_.set_text(held);
    buffer_.move_caret(held.size(), false);
    TextElement::set_text(held);
}

std::u16string EditElement::field_text(std::u16string_view text) const
{
    std::u16string held = shown_text(text, multi_line());
    std::erase_if(held, [](char16_t c) { return c < u' ' && c != u'\n'; });
    return held;
}

bool EditElement::editing() const { return edit_host().active_edit() == this; }

LineFill EditElement::line_fill() const
{
    if (multi_line())
        return LineFill::WRAP;
    return editing() ? LineFill::ONE_LINE : LineFill::CUT;
}

void EditElement::set_text(std::u16string_view text)
{
    const std::u16string held = field_text(text);
    if (held == this->text())
        return;
    buffer_.set_text(held);
    edited();
}

void EditElement::edited()
{
    goal_x = -1;
    TextElement::set_text(buffer_.text());
    keep_caret_in_view();
    request_repaint();
    if (listener_)
        listener_->on_text_changed(*this);
}

void EditElement::select(size_t anchor, size_t caret)
{
    buffer_.move_caret(anchor, false);
    caret_moved(caret, true);
}

void EditElement::caret_moved(size_t to, bool extend)
{
    buffer_.move_caret(to, extend);
    keep_caret_in_view();
    request_repaint();
}

void EditElement::begin_edit()
{
    if (!editing())
        edit_host().set_active_edit(this);
}

void EditElement::editing_changed(bool active)
{
    // Modifiers are followed while other fields are edited too; a key let go elsewhere is not.
    if (!active) {
        shift = false;
        ctrl = false;
    }
    dragging = false;
    goal_x = -1;
    scroll_x_ = 0;
    scroll_y_ = 0;
    buffer_.move_caret(active ? buffer_.text().size() : buffer_.caret(), false);
    refill();
    keep_caret_in_view();
    request_repaint();
}

size_t EditElement::index_at(Point point) const
{
    const int32_t line_px = std::max(line_height(), 1);
    const int32_t down = point.y - y() - block_top() + scroll_y_;
    const int32_t last = static_cast<int32_t>(lines().count()) - 1;
    const int32_t line = std::clamp(down < 0 ? -1 : down / line_px, 0, last);
    return lines().index_at(static_cast<size_t>(line), point.x - box_x() + scroll_x_);
}

Point EditElement::caret_point() const
{
    const size_t caret = buffer_.caret();
    const auto line = static_cast<int32_t>(lines().line_of(caret));
    return {box_x() - x() + lines().x_of(caret) - scroll_x_, block_top() + line * line_height() - scroll_y_};
}

bool EditElement::on_pointer_button(const PointerEvent& event)
{
    if (!event.down) {
        dragging = false;
        return true;
    }
    const bool extend = shift && editing();
    begin_edit();
    dragging = true;
    goal_x = -1;
    caret_moved(index_at({event.x, event.y}), extend);
    return true;
}

void EditElement::on_pointer_move(const PointerEvent& event)
{
    if (dragging && editing())
        caret_moved(index_at({event.x, event.y}), true);
}

bool EditElement::on_key(const KeyEvent& event)
{
    if (event.code == KEY_SHIFT || event.code == KEY_CTRL) {
        (event.code == KEY_SHIFT ? shift : ctrl) = event.down;
        return false;
    }
    if (!editing() || !event.down)
        return false;
    if (ctrl)
        return control_key(event.code);
    switch (event.code) {
    case KEY_BACKSPACE:
        if (buffer_.erase_back())
            edited();
        return true;
    case KEY_DEL:
        if (buffer_.erase_forward())
            edited();
        return true;
    case KEY_ENTER:
        // A single-line field leaves Enter to the screen (a search or an OK button).
        return multi_line() && on_text(u"\n");
    default:
        return move_key(event.code) || is_typing_key(event.code);
    }
}

bool EditElement::move_key(uint8_t code)
{
    const size_t caret = buffer_.caret();
    const bool collapse = buffer_.has_selection() && !shift;
    switch (code) {
    case KEY_LEFT:
        goal_x = -1;
        caret_moved(collapse ? buffer_.selection_begin() : buffer_.previous(caret), shift);
        return true;
    case KEY_RIGHT:
        goal_x = -1;
        caret_moved(collapse ? buffer_.selection_end() : buffer_.next(caret), shift);
        return true;
    case KEY_HOME:
        goal_x = -1;
        caret_moved(lines().lines()[lines().line_of(caret)].begin, shift);
        return true;
    case KEY_END:
        goal_x = -1;
        caret_moved(lines().index_at(lines().line_of(caret), std::numeric_limits<int32_t>::max() / 2), shift);
        return true;
    case KEY_UP:
    case KEY_DOWN:
        if (!multi_line())
            return false;
        move_vertically(code == KEY_UP ? -1 : 1);
        return true;
    default:
        return false;
    }
}

void EditElement::move_vertically(int direction)
{
    const size_t caret = buffer_.caret();
    const size_t line = lines().line_of(caret);
    if (goal_x < 0)
        goal_x = lines().x_of(caret);
    const int32_t keep = goal_x;
    if (direction < 0 && line == 0)
        caret_moved(0, shift);
    else if (direction > 0 && line + 1 >= lines().count())
        caret_moved(buffer_.text().size(), shift);
    else
        caret_moved(lines().index_at(direction < 0 ? line - 1 : line + 1, goal_x), shift);
    goal_x = keep;
}

bool EditElement::control_key(uint8_t code)
{
    switch (code) {
    case KEY_A:
        buffer_.select_all();
        request_repaint();
        return true;
    case KEY_COPY:
        copy_selection();
        return true;
    case KEY_CUT:
        if (buffer_.has_selection()) {
            copy_selection();
            buffer_.erase_back();
            edited();
        }
        return true;
    case KEY_PASTE: {
        const std::u16string pasted = field_text(clipboard_text());
        if (pasted.empty() && !buffer_.has_selection())
            return true;
        buffer_.insert(pasted);
        edited();
        return true;
    }
    case KEY_HOME:
    case KEY_END:
        goal_x = -1;
        caret_moved(code == KEY_HOME ? 0 : buffer_.text().size(), shift);
        return true;
    default:
        return move_key(code);
    }
}

void EditElement::copy_selection() const
{
    if (buffer_.has_selection())
        set_clipboard_text(buffer_.selected_text());
}

bool EditElement::on_text(std::u16string_view text)
{
    if (!editing())
        return false;
    buffer_.insert(field_text(text));
    edited();
    return true;
}

void EditElement::on_visible_changed(bool effective)
{
    TextElement::on_visible_changed(effective);
    if (!effective && editing())
        edit_host().set_active_edit(nullptr);
}

void EditElement::arrange_x()
{
    TextElement::arrange_x();
    if (!editing())
        return;
    keep_caret_in_view();
    edit_host().active_edit_moved();
}

void EditElement::arrange_y()
{
    TextElement::arrange_y();
    if (!editing())
        return;
    keep_caret_in_view();
    edit_host().active_edit_moved();
}

int32_t EditElement::caret_width() const { return std::max(1, line_height() / 16); }

void EditElement::keep_caret_in_view()
{
    if (!editing()) {
        scroll_x_ = 0;
        scroll_y_ = 0;
        return;
    }
    const size_t caret = buffer_.caret();
    if (!multi_line()) {
        const int32_t x = lines().x_of(caret);
        const int32_t room = box_width() - caret_width();
        if (x - scroll_x_ > room)
            scroll_x_ = x - room;
        if (x < scroll_x_)
            scroll_x_ = x;
        scroll_x_ = std::clamp(scroll_x_, 0, std::max(0, std::max(lines().widest(), x) - room));
        return;
    }
    const int32_t line_px = line_height();
    const int32_t top = block_top() + static_cast<int32_t>(lines().line_of(caret)) * line_px;
    if (top + line_px - scroll_y_ > height())
        scroll_y_ = top + line_px - height();
    if (top < scroll_y_)
        scroll_y_ = top;
    const int32_t total = static_cast<int32_t>(lines().count()) * line_px;
    scroll_y_ = std::clamp(scroll_y_, std::min(0, block_top()), std::max(0, block_top() + total - height()));
}

void EditElement::paint(RenderSurface& surface, Point origin)
{
    if (editing()) {
        surface.apply(origin, {width(), height()}, SolidFiller(background));
        paint_selection(surface, origin);
    }
    paint_lines(surface, origin, scroll_x_, scroll_y_);
    if (editing())
        paint_caret(surface, origin);
    Element::paint(surface, origin);
}

void EditElement::paint_selection(RenderSurface& surface, Point origin)
{
    if (!buffer_.has_selection())
        return;
    const int32_t box_left = origin.x + box_x() - x();
    const ClipScope clip(surface, {box_left, origin.y}, {box_width(), height()});
    const size_t first = lines().line_of(buffer_.selection_begin());
    const size_t last = lines().line_of(buffer_.selection_end());
    const int32_t line_px = line_height();
    const SolidFiller filler(selection);
    for (size_t i = first; i <= last; ++i) {
        const FilledLine& line = lines().lines()[i];
        int32_t right = line.left;
        for (const LineRun& run : line.runs) {
            if (run.is_text())
                right = run.x + run.width();
        }
        const int32_t from = i == first ? lines().x_of(buffer_.selection_begin()) : line.left;
        // A selected line break shows as a little room after the line's end.
        const int32_t to = i == last ? lines().x_of(buffer_.selection_end()) : right + caret_width() * 4;
        const int32_t top = origin.y + block_top() + static_cast<int32_t>(i) * line_px - scroll_y_;
        surface.apply({box_left + from - scroll_x_, top}, {to - from, line_px}, filler);
    }
}

void EditElement::paint_caret(RenderSurface& surface, Point origin)
{
    const ClipScope clip(surface, origin, {width(), height()});
    const Point at = caret_point();
    const int32_t right_end = box_x() - x() + box_width() - caret_width();
    const Point place{origin.x + std::min(at.x, right_end), origin.y + at.y};
    surface.apply(place, {caret_width(), line_height()}, SolidFiller(color()));
}

} // namespace stellaro
