#pragma once
#include <string>
#include <string_view>

namespace stellaro {

// Conversions between the system's UTF-16 text and the UTF-8 of Linux files and terminals.
std::u16string utf8_to_utf16(std::string_view text);
std::string utf16_to_utf8(std::u16string_view text);

// Case mapping of single UTF-16 code units, as the toolkit compares names and paths.
char16_t lower_char(char16_t c);
char16_t upper_char(char16_t c);
std::u16string to_lower(std::u16string_view text);
std::u16string to_upper(std::u16string_view text);

} // namespace stellaro
