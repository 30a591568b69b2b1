#pragma once
#include "fonts/font_handle.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace stellaro {

// One word of a text element's text: its characters, their measure in the element's font, and
// the white space that follows it. Leading white space makes a first word without characters.
struct TextWord {
    FontHandle font;
    std::u16string chars;
    int32_t width = 0;
    int32_t height = 0;
    std::vector<int32_t> right_edges; // each character's right edge, from the word's left
    int32_t spaces = 0;               // spaces that follow
    int32_t line_feeds = 0;           // line feeds that follow (an empty line makes two)
    size_t start = 0;                 // index of the first character in the shown text
};

// The text as the words see it: each tab as four spaces, carriage returns as line feeds (a
// CR LF pair as one), and without wrap every line break as a space.
std::u16string shown_text(std::u16string_view text, bool wrap);

// Splits a shown text at spaces and line feeds and measures each word in the font.
std::vector<TextWord> split_words(std::u16string_view shown, const FontHandle& font);

// True for the first half of a surrogate pair.
constexpr bool is_high_surrogate(char16_t c) { return c >= 0xD800 && c < 0xDC00; }
// True for the second half of a surrogate pair.
constexpr bool is_low_surrogate(char16_t c) { return c >= 0xDC00 && c < 0xE000; }

} // namespace stellaro
