#include "skin/kinds/text_element.h"

#include "skin/surface/draw_text.h"

#include <algorithm>
#include <limits>

namespace stellaro {

namespace {

// The natural height a growing wrapped text asks for at most unless "grow_min" is set.
constexpr int32_t GROW_NATURAL_LIMIT_PX = 20;
// The width lines are filled in before the element has been placed: no limit.
constexpr int32_t UNPLACED_WIDTH = std::numeric_limits<int32_t>::max() / 4;

} // namespace

// An element made without a skin still has its one empty line for a caret.
TextElement::TextElement(Element* owner) : Element(owner) { refill(); }

void TextElement::init_from_skin(Properties& properties, const SkinBlock* block)
{
    Element::init_from_skin(properties, block);
    font_ = properties.get_font(block, u"font", FontHandle());
    text_ = properties.translate(properties.get_string(block, u"text", u""));
    grow_min = properties.get_int(block, u"grow_min", 0) != 0;
    grow = grow_min || properties.get_int(block, u"grow", 0) != 0;
    colour = properties.get_color(block, u"color", {0, 0, 0, 255});
    halign_ = HALIGN_CENTER;
    parse_halign(properties.get_string(block, u"halign", u""), halign_);
    valign_ = VALIGN_VCENTER;
    parse_valign(properties.get_string(block, u"valign", u""), valign_);
    wrap_ = properties.get_int(block, u"wrap", 0) != 0;
    left = nullptr;
    right = nullptr;
    for (const auto& child : children()) {
        if (child->id() == u"#left" && !left)
            left = child.get();
        else if (child->id() == u"#right" && !right)
            right = child.get();
    }
    // The sides are placed by this element, not watched by anyone else.
    for (Element* side : {left, right}) {
        if (side)
            side->layout_observer = nullptr;
    }
    text_changed();
}

void TextElement::send_text(std::u16string_view id, std::u16string_view text)
{
    if (id == this->id())
        set_text(text);
    Element::send_text(id, text);
}

void TextElement::set_text(std::u16string_view text)
{
    if (text == text_)
        return;
    text_ = std::u16string(text);
    text_changed();
}

void TextElement::text_changed()
{
    shown_ = shown_text(text_, wrap_);
    words_ = split_words(shown_, font_);
    refill();
    if (grow)
        invalidate_measure();
    request_repaint();
}

LineFill TextElement::line_fill() const { return wrap_ ? LineFill::WRAP : LineFill::CUT; }

void TextElement::refill()
{
    TextLines::Style style;
    style.box_width = width() > 0 ? box_width() : UNPLACED_WIDTH;
    style.fill = line_fill();
    style.halign = halign_;
    if (font_) {
        style.space_px = font_->measure(u" ", 0).width;
        style.ellipsis_px = font_->measure(std::u16string(1, TextLines::ELLIPSIS), 0).width;
    }
    lines_.fill(words_, style);
    filled_width = width() > 0 ? box_width() : -1;
}

int32_t TextElement::line_height() const { return font_ ? font_->line_height() : 0; }

int32_t TextElement::side_width(const Element* side) const
{
    if (!side || !side->visible())
        return 0;
    return side->width() + side->border_min.x + side->border_max.x;
}

int32_t TextElement::measured_side_width(Element* side)
{
    if (!side || !side->visible())
        return 0;
    return side->cached_width().minimum + side->border_min.x + side->border_max.x;
}

int32_t TextElement::box_x() const { return x() + side_width(left); }

int32_t TextElement::box_width() const { return std::max(width() - side_width(left) - side_width(right), 0); }

int32_t TextElement::block_top() const
{
    const auto total = static_cast<int32_t>(lines_.count()) * line_height();
    if (valign_ == VALIGN_TOP)
        return 0;
    if (valign_ == VALIGN_BOTTOM)
        return height() - total;
    return (height() - total) / 2;
}

int32_t TextElement::text_width() const
{
    if (wrap_)
        return lines_.widest();
    int32_t width = 0;
    int32_t end = 0;
    const int32_t space_px = font_ ? font_->measure(u" ", 0).width : 0;
    for (const TextWord& word : words_) {
        width += word.width;
        if (!word.chars.empty())
            end = width;
        width += word.spaces * space_px;
    }
    return end;
}

void TextElement::place_side_x(Element& side, int32_t at)
{
    side.set_horizontal(at + side.border_min.x, side.cached_width().minimum);
}

void TextElement::place_side_y(Element& side)
{
    const int32_t height_px = std::min(side.cached_height().minimum, height());
    side.set_vertical(y() + (height() - height_px) / 2, height_px);
}

void TextElement::arrange_x()
{
    for (const auto& child : children()) {
        if (child.get() == left)
            place_side_x(*left, x());
        else if (child.get() == right)
            place_side_x(*right, x() + width() - measured_side_width(right));
        else
            place_child_x(*child);
    }
    if (box_width() == filled_width)
        return;
    const size_t count = lines_.count();
    refill();
    // A wrapped text that grows asks again for its height when the new width changed its lines.
    if (grow && wrap_ && lines_.count() != count)
        invalidate_measure();
}

void TextElement::arrange_y()
{
    for (const auto& child : children()) {
        if (child.get() == left || child.get() == right)
            place_side_y(*child);
        else
            place_child_y(*child);
    }
}

void TextElement::measure_width(Measure& measure)
{
    Element::measure_width(measure);
    if (!grow)
        return;
    const int32_t need = measured_side_width(left) + text_width() + measured_side_width(right);
    measure.minimum = std::max(measure.minimum, need);
    if (grow_min)
        measure.natural = std::max(measure.natural, need);
}

void TextElement::measure_height(Measure& measure)
{
    Element::measure_height(measure);
    if (!grow)
        return;
    const int32_t height_px =
        wrap_ ? static_cast<int32_t>(lines_.count()) * line_height() : line_height();
    measure.minimum = std::max(measure.minimum, height_px);
    const bool whole = grow_min || !wrap_;
    measure.natural = std::max(measure.natural, whole ? height_px : std::min(height_px, GROW_NATURAL_LIMIT_PX));
}

void TextElement::paint_lines(RenderSurface& surface, Point origin, int32_t dx, int32_t dy)
{
    const int32_t box_left = origin.x + box_x() - x();
    const ClipScope clip(surface, {box_left, origin.y}, {box_width(), height()});
    if (surface.clip_empty())
        return;
    const int32_t line_px = line_height();
    int32_t top = origin.y + block_top() - dy;
    for (const FilledLine& line : lines_.lines()) {
        if (top + line_px > surface.clip_top_left().y && top < surface.clip_bottom_right().y) {
            for (const LineRun& run : line.runs) {
                if (!run.blank)
                    draw_text(font_, surface, colour, run.chars, {box_left + run.x - dx, top}, {run.width(), line_px},
                              HALIGN_LEFT, VALIGN_TOP, false);
            }
        }
        top += line_px;
    }
}

void TextElement::paint(RenderSurface& surface, Point origin)
{
    paint_lines(surface, origin, 0, 0);
    Element::paint(surface, origin);
}

void TextElement::describe(ElementState& state) const { state.text = text_; }

} // namespace stellaro
