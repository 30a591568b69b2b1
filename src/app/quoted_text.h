#pragma once
#include <string>
#include <string_view>

namespace stellaro {

constexpr size_t MAX_QUOTED_CHARACTERS = 80;

// Outside text (a line of a file, a name) as a message quotes it: in single quotes, at most
// MAX_QUOTED_CHARACTERS characters, with "..." after the quote when the text goes on. Control
// characters and bytes that are not UTF-8 are written as \xNN, so that a binary or hostile file
// can neither flood the terminal nor drive it.
std::string quoted(std::string_view text);

} // namespace stellaro
