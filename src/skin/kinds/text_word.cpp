#include "skin/kinds/text_word.h"

namespace stellaro {

std::u16string shown_text(std::u16string_view text, bool wrap)
{
    std::u16string shown;
    shown.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c == u'\t') {
            shown.append(4, u' ');
        } else if (c == u'\r' || c == u'\n') {
            // CR LF is one line break.
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
            shown.push_back(wrap ? u'\n' : u' ');
        } else {
            shown.push_back(c);
        }
    }
    return shown;
}

std::vector<TextWord> split_words(std::u16string_view shown, const FontHandle& font)
{
    std::vector<TextWord> words;
    size_t at = 0;
    while (at < shown.size()) {
        TextWord word;
        word.font = font;
        word.start = at;
        while (at < shown.size() && shown[at] != u' ' && shown[at] != u'\n')
            ++at;
        word.chars = std::u16string(shown.substr(word.start, at - word.start));
        for (; at < shown.size() && shown[at] == u' '; ++at)
            ++word.spaces;
        for (; at < shown.size() && shown[at] == u'\n'; ++at)
            ++word.line_feeds;
        if (font) {
            const TextSize size = font->measure(word.chars, 0, nullptr, nullptr, &word.right_edges);
            word.width = size.width;
            word.height = size.height;
        }
        word.right_edges.resize(word.chars.size(), word.width);
        words.push_back(std::move(word));
    }
    return words;
}

} // namespace stellaro
