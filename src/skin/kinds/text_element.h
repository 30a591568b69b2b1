#pragma once
#include "fonts/font_handle.h"
#include "fonts/font_layout.h"
#include "skin/elements/element.h"
#include "skin/kinds/text_lines.h"
#include "skin/kinds/text_word.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace stellaro {

// The "text" kind: a text in one font and colour, split into measured words and filled into
// lines inside the element (wrapped at word boundaries, or one line cut with "…"), aligned as a
// block, with optional children "#left" and "#right" at its sides. With "grow" it asks its
// parent for the room the text needs.
class TextElement : public Element {
public:
    explicit TextElement(Element* owner = nullptr);

    // Reads "font", "text" (through the language table), "color", "grow", "grow_min", "halign",
    // "valign" and "wrap", and finds "#left" and "#right" among the children.
    void init_from_skin(Properties& properties, const SkinBlock* block) override;
    // Takes the text when the id is this element's, then hands it on.
    void send_text(std::u16string_view id, std::u16string_view text) override;
    // Shows a new text; nothing when it equals the present one.
    virtual void set_text(std::u16string_view text);
    const std::u16string& text() const { return text_; }

    void paint(RenderSurface& surface, Point origin) override;
    void arrange_x() override;
    void arrange_y() override;
    void measure_width(Measure& measure) override;
    void measure_height(Measure& measure) override;
    void describe(ElementState& state) const override;

    const FontHandle& font() const { return font_; }
    Colour color() const { return colour; }
    HorizontalAlign halign() const { return halign_; }
    VerticalAlign valign() const { return valign_; }
    bool wrap() const { return wrap_; }
    Element* left_child() const { return left; }
    Element* right_child() const { return right; }
    const std::vector<TextWord>& words() const { return words_; }
    const TextLines& lines() const { return lines_; }
    // The text as laid out: tabs as spaces, line breaks as the wrap setting shows them.
    const std::u16string& shown() const { return shown_; }

    int32_t line_height() const;
    // The text box between "#left" and "#right", in surface coordinates along x.
    int32_t box_x() const;
    int32_t box_width() const;
    // The top of the first line inside the element, by the vertical alignment.
    int32_t block_top() const;

protected:
    // How the lines are filled; edits fill one line without a cut while they are edited.
    virtual LineFill line_fill() const;
    // Fills the lines again for the present width.
    void refill();
    // Draws the lines, moved by (-dx, -dy), clipped to the text box.
    void paint_lines(RenderSurface& surface, Point origin, int32_t dx, int32_t dy);

private:
    // Makes the words and lines again and asks for layout (grow) or a repaint.
    void text_changed();
    // The room a side child takes as placed, and as measured.
    int32_t side_width(const Element* side) const;
    static int32_t measured_side_width(Element* side);
    void place_side_x(Element& side, int32_t x);
    void place_side_y(Element& side);
    // The width the text needs on one line (the widest paragraph) or as filled (wrap).
    int32_t text_width() const;

    FontHandle font_;
    Colour colour{0, 0, 0, 255};
    std::u16string text_;
    std::u16string shown_;
    bool grow = false;
    bool grow_min = false;
    HorizontalAlign halign_ = HALIGN_CENTER;
    VerticalAlign valign_ = VALIGN_VCENTER;
    bool wrap_ = false;
    Element* left = nullptr;
    Element* right = nullptr;
    std::vector<TextWord> words_;
    TextLines lines_;
    int32_t filled_width = -1;
};

} // namespace stellaro
