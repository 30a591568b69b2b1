#include "fonts/font_layout.h"

#include <algorithm>
#include <utility>

namespace stellaro {

namespace {

constexpr std::u16string_view ELLIPSIS = u"...";

bool is_break(char16_t c) { return c == u'\n'; }

// Breaks one paragraph at spaces so that every line fits max_width where it can; a word too wide
// for a line of its own keeps its line.
void wrap_paragraph(std::u16string_view paragraph, int32_t max_width, const TextWidth& width_of,
                    std::vector<std::u16string>& lines)
{
    std::u16string line;
    size_t at = 0;
    while (at < paragraph.size()) {
        const size_t word_start = paragraph.find_first_not_of(u' ', at);
        if (word_start == std::u16string_view::npos)
            break;
        size_t word_end = paragraph.find(u' ', word_start);
        if (word_end == std::u16string_view::npos)
            word_end = paragraph.size();
        const std::u16string_view word = paragraph.substr(word_start, word_end - word_start);
        std::u16string candidate = line;
        if (!candidate.empty())
            candidate += paragraph.substr(at, word_start - at);
        candidate += word;
        if (!line.empty() && width_of(candidate) > max_width) {
            lines.push_back(line);
            line = std::u16string(word);
        } else {
            line = std::move(candidate);
        }
        at = word_end;
    }
    lines.push_back(line);
}

} // namespace

bool parse_halign(std::u16string_view name, HorizontalAlign& value)
{
    static const std::pair<std::u16string_view, HorizontalAlign> names[] = {
        {u"LEFT", HALIGN_LEFT}, {u"CENTER", HALIGN_CENTER}, {u"RIGHT", HALIGN_RIGHT}, {u"JUSTIFY", HALIGN_JUSTIFY}};
    for (const auto& [text, align] : names)
        if (name == text) {
            value = align;
            return true;
        }
    return false;
}

bool parse_valign(std::u16string_view name, VerticalAlign& value)
{
    static const std::pair<std::u16string_view, VerticalAlign> names[] = {
        {u"TOP", VALIGN_TOP}, {u"VCENTER", VALIGN_VCENTER}, {u"BOTTOM", VALIGN_BOTTOM}};
    for (const auto& [text, align] : names)
        if (name == text) {
            value = align;
            return true;
        }
    return false;
}

std::u16string with_end_ellipsis(std::u16string_view text, int32_t max_width, const TextWidth& width_of)
{
    const int32_t room = max_width - width_of(ELLIPSIS);
    size_t keep = text.size();
    while (keep > 0 && width_of(text.substr(0, keep)) > room)
        --keep;
    while (keep > 0 && text[keep - 1] == u' ')
        --keep;
    return std::u16string(text.substr(0, keep)) + std::u16string(ELLIPSIS);
}

std::vector<TextLine> layout_text(std::u16string_view text, int32_t box_width, int32_t box_height,
                                  int32_t line_height, HorizontalAlign halign, VerticalAlign valign, bool wrap,
                                  const TextWidth& width_of)
{
    std::vector<std::u16string> lines;
    bool cut = false;
    if (wrap) {
        size_t at = 0;
        while (at <= text.size()) {
            size_t end = at;
            while (end < text.size() && !is_break(text[end]))
                ++end;
            std::u16string paragraph(text.substr(at, end - at));
            std::erase(paragraph, u'\r');
            wrap_paragraph(paragraph, box_width, width_of, lines);
            at = end + 1;
        }
        const size_t room = static_cast<size_t>(std::max(1, line_height > 0 ? box_height / line_height : 1));
        if (lines.size() > room) {
            lines.resize(room);
            cut = true;
        }
    } else {
        std::u16string line(text);
        std::erase(line, u'\r');
        std::replace(line.begin(), line.end(), u'\n', u' ');
        lines.push_back(std::move(line));
    }

    std::vector<TextLine> laid;
    const auto count = static_cast<int32_t>(lines.size());
    const int32_t total = count * line_height;
    int32_t y = 0;
    if (valign == VALIGN_VCENTER)
        y = (box_height - total) / 2;
    else if (valign == VALIGN_BOTTOM)
        y = box_height - total;
    for (int32_t i = 0; i < count; ++i, y += line_height) {
        TextLine line;
        line.text = std::move(lines[static_cast<size_t>(i)]);
        line.width = width_of(line.text);
        const bool last_of_cut = cut && i == count - 1;
        if (line.width > box_width || last_of_cut) {
            line.text = with_end_ellipsis(line.text, box_width, width_of);
            line.width = width_of(line.text);
        }
        if (halign == HALIGN_CENTER)
            line.x = (box_width - line.width) / 2;
        else if (halign == HALIGN_RIGHT)
            line.x = box_width - line.width;
        line.y = y;
        laid.push_back(std::move(line));
    }
    return laid;
}

} // namespace stellaro
