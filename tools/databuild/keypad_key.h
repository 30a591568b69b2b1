#pragma once
#include <string>

namespace stellaro {

// The telephone-keypad spelling of a city name, one character per UTF-16 unit of the name:
// letters become their key digit ('2' to '9'; accented Latin letters count as their base letter,
// Cyrillic ones as their usual Latin transliteration), digits stay, a combining accent repeats
// the digit of its letter, and every other character (spaces, hyphens, apostrophes, brackets)
// becomes a space, so that each part of a name can be typed as a word of its own.
// A letter of another script takes the letter at the same place of the ASCII spelling when
// that has the same length, otherwise a space.
std::u16string keypad_key(const std::u16string& name, const std::u16string& ascii_name);

// The Latin base letter (lower case) of a letter, or 0 when it has none.
char16_t base_letter(char16_t c);

} // namespace stellaro
