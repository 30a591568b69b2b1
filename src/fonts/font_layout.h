#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace stellaro {

// Alignment values as skins name them ("halign", "valign").
enum HorizontalAlign : int32_t { HALIGN_LEFT = 0, HALIGN_CENTER = 1, HALIGN_RIGHT = 2, HALIGN_JUSTIFY = 3 };
enum VerticalAlign : int32_t { VALIGN_TOP = 0, VALIGN_VCENTER = 1, VALIGN_BOTTOM = 2 };

// "LEFT", "CENTER", "RIGHT", "JUSTIFY" / "TOP", "VCENTER", "BOTTOM", matched exactly; false
// (value untouched) for any other name.
bool parse_halign(std::u16string_view name, HorizontalAlign& value);
bool parse_valign(std::u16string_view name, VerticalAlign& value);

// One laid-out line of a text box.
struct TextLine {
    std::u16string text;
    int32_t x = 0; // left edge within the box
    int32_t y = 0; // top edge within the box
    int32_t width = 0;
};

using TextWidth = std::function<int32_t(std::u16string_view)>;

// Lays a text out in a box the way labels are drawn: one line (line breaks become spaces), or
// with wrap lines broken at spaces and line breaks. A line wider than the box, and the last line
// that fits when more text follows, end with "..."; lines are placed by the alignments
// (JUSTIFY is drawn left-aligned).
std::vector<TextLine> layout_text(std::u16string_view text, int32_t box_width, int32_t box_height,
                                  int32_t line_height, HorizontalAlign halign, VerticalAlign valign, bool wrap,
                                  const TextWidth& width_of);

// The text cut so that it and a following "..." fit within max_width.
std::u16string with_end_ellipsis(std::u16string_view text, int32_t max_width, const TextWidth& width_of);

} // namespace stellaro
