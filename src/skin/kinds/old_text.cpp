#include "skin/kinds/old_text.h"

#include "skin/surface/draw_text.h"

#include <algorithm>

namespace stellaro {

namespace {

constexpr TextSize NOT_MEASURED{-1, -1};

} // namespace

OldText::OldText(Element* owner) : Element(owner) {}

void OldText::set_text(std::u16string_view text)
{
    if (text == text_)
        return;
    text_ = text;
    measured_text = NOT_MEASURED;
    if (grow)
        invalidate_measure();
    else
        request_repaint();
}

void OldText::set_highlight(size_t begin, size_t end, Colour colour)
{
    highlight_begin = begin;
    highlight_end = end;
    highlight_colour = colour;
    request_repaint();
}

void OldText::send_text(std::u16string_view id, std::u16string_view text)
{
    if (id == this->id())
        set_text(text);
    Element::send_text(id, text);
}

void OldText::init_from_skin(Properties& properties, const SkinBlock* block)
{
    Element::init_from_skin(properties, block);
    font = properties.get_font(block, u"font", FontHandle::default_font());
    text_ = properties.translate(properties.get_string(block, u"text", u""));
    measured_text = NOT_MEASURED;
    grow = properties.get_int(block, u"grow", 0) != 0;
    colour = properties.get_color(block, u"color", {0, 0, 0, 255});
    halign = HALIGN_CENTER;
    parse_halign(properties.get_string(block, u"halign", u""), halign);
    valign = VALIGN_VCENTER;
    parse_valign(properties.get_string(block, u"valign", u""), valign);
    wrap = properties.get_int(block, u"wrap", 0) != 0;
}

void OldText::paint(RenderSurface& surface, Point origin)
{
    const Size box{width(), height()};
    const size_t end = std::min(highlight_end, text_.size());
    if (highlight_begin >= end || wrap || !font) {
        draw_text(font, surface, colour, text_, origin, box, halign, valign, wrap);
        Element::paint(surface, origin);
        return;
    }
    // The line is drawn three times, each clipped to its part: before the span, the span in the
    // highlight colour, after it. A text cut with "..." is drawn from the left, as draw_text does.
    const int32_t full = text_size().width;
    int32_t left = 0;
    if (full <= box.width && halign == HALIGN_RIGHT)
        left = box.width - full;
    else if (full <= box.width && halign == HALIGN_CENTER)
        left = (box.width - full) / 2;
    const int32_t span_left = left + font->measure_box(std::u16string_view(text_).substr(0, highlight_begin)).width;
    const int32_t span_right = left + font->measure_box(std::u16string_view(text_).substr(0, end)).width;
    const auto part = [&](Colour part_colour, int32_t from, int32_t to) {
        from = std::clamp(from, 0, box.width);
        to = std::clamp(to, 0, box.width);
        if (to > from)
            draw_text(font, surface, part_colour, text_, origin, box, halign, valign, false, {from, 0}, {to - from, box.height});
    };
    part(colour, 0, span_left);
    part(highlight_colour, span_left, span_right);
    part(colour, span_right, box.width);
    Element::paint(surface, origin);
}

TextSize OldText::text_size()
{
    if (measured_text == NOT_MEASURED)
        measured_text = font ? font->measure_box(text_) : TextSize{};
    return measured_text;
}

void OldText::measure_width(Measure& measure)
{
    Element::measure_width(measure);
    if (grow)
        measure.minimum = std::max(measure.minimum, text_size().width);
}

void OldText::measure_height(Measure& measure)
{
    Element::measure_height(measure);
    if (!grow)
        return;
    const int32_t height = text_size().height;
    measure.minimum = std::max(measure.minimum, height);
    measure.natural = std::max(measure.natural, height);
}

void OldText::describe(ElementState& state) const { state.text = text_; }

} // namespace stellaro
