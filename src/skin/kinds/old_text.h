#pragma once
#include "fonts/font_handle.h"
#include "fonts/font_layout.h"
#include "fonts/font_rep.h"
#include "skin/elements/element.h"
#include "skin/kinds/kind_support.h"

#include <string>
#include <string_view>

namespace stellaro {

// "oldtext": a text box in one font and colour, aligned both ways, on one line cut with "..." or
// wrapped at spaces. With "grow" the text's single-line size becomes part of the measurement, so
// a longer text widens the tables around it.
class OldText : public Element, public LiveCount<OldText> {
public:
    explicit OldText(Element* owner = nullptr);

    // Shows the text; re-measures the tree above when the element grows with its text.
    void set_text(std::u16string_view text);
    const std::u16string& text() const { return text_; }
    // Draws the characters [begin, end) of the text in another colour (a search's matched
    // letters); an empty span draws none. Kept until set again. Single-line texts only.
    void set_highlight(size_t begin, size_t end, Colour colour);

    void send_text(std::u16string_view id, std::u16string_view text) override;
    void init_from_skin(Properties& properties, const SkinBlock* block) override;
    void paint(RenderSurface& surface, Point origin) override;
    void measure_width(Measure& measure) override;
    void measure_height(Measure& measure) override;
    void describe(ElementState& state) const override;

    FontHandle font;
    Colour colour{0, 0, 0, 255};
    bool grow = false;
    HorizontalAlign halign = HALIGN_CENTER;
    VerticalAlign valign = VALIGN_VCENTER;
    bool wrap = false;

private:
    // The single-line size of the text, measured once per text.
    TextSize text_size();

    std::u16string text_;
    TextSize measured_text{-1, -1};
    size_t highlight_begin = 0;
    size_t highlight_end = 0;
    Colour highlight_colour{0, 0, 0, 255};
};

} // namespace stellaro
