#pragma once
#include "fonts/font_layout.h"
#include "skin/kinds/text_word.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace stellaro {

// How a text element fills its lines.
enum class LineFill {
    WRAP,     // lines broken at spaces to fit the width; a word wider than a line is broken too
    ONE_LINE, // one line, as long as the text
    CUT,      // one line, cut at the width with an ellipsis when the text does not fit
};

// Characters placed together on a line: part of a word, a run of spaces, or the ellipsis.
struct LineRun {
    // The start of the ellipsis, which stands for no characters of the text.
    static constexpr size_t NO_TEXT = static_cast<size_t>(-1);

    std::u16string chars;             // what is drawn (blank runs draw nothing)
    size_t start = 0;                 // index in the shown text of the first character
    int32_t x = 0;                    // left edge, from the left of the text box
    std::vector<int32_t> right_edges; // each character's right edge, from x
    bool blank = false;               // a run of spaces

    int32_t width() const { return right_edges.empty() ? 0 : right_edges.back(); }
    bool is_text() const { return start != NO_TEXT; }
};

// One line of a text element.
struct FilledLine {
    std::vector<LineRun> runs;
    size_t begin = 0;       // shown-text index of its first character
    size_t end = 0;         // index past its last character; the line feed ending it is not on it
    int32_t left = 0;       // where an empty line's caret stands, from the box's left
    int32_t width = 0;      // from the first character to the last one that is not a space
    bool soft_end = false;  // broken by the wrap rather than by a line feed or the text's end
};

// The lines of a text element and the mapping between text positions and places on them.
class TextLines {
public:
    // How the lines are made: box width, fill, alignment and the widths of a space and of "…".
    struct Style {
        int32_t box_width = 0;
        LineFill fill = LineFill::WRAP;
        HorizontalAlign halign = HALIGN_LEFT;
        int32_t space_px = 0;
        int32_t ellipsis_px = 0;
    };

    // The ellipsis shown where a single line is cut.
    static constexpr char16_t ELLIPSIS = u'\u2026';

    // Fills the lines with the words (there is always at least one line).
    void fill(const std::vector<TextWord>& words, const Style& style);

    const std::vector<FilledLine>& lines() const { return lines_; }
    size_t count() const { return lines_.size(); }
    // True when the single line was cut with the ellipsis.
    bool cut() const { return cut_; }
    // The widest line's width.
    int32_t widest() const;

    // The line a caret at the text position stands on; at a wrap the next line's start wins.
    size_t line_of(size_t index) const;
    // Where a caret at the text position stands, from the box's left.
    int32_t x_of(size_t index) const;
    // The character boundary on the line nearest to x (never inside a surrogate pair).
    size_t index_at(size_t line, int32_t x) const;

private:
    void build(const std::vector<TextWord>& words, const Style& style);
    void cut_to(int32_t box_width, int32_t ellipsis_px);
    void align(FilledLine& line, const Style& style) const;

    std::vector<FilledLine> lines_;
    bool cut_ = false;
};

} // namespace stellaro
