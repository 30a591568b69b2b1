#pragma once
#include <string>

namespace stellaro {

// The language of the user's messages as its ISO 639 code in capitals ("DE" for "de_DE.UTF-8"),
// from the first of LC_ALL, LC_MESSAGES and LANG that is set and not empty, as the C library
// chooses the language of messages. Empty for the "C" and "POSIX" locales and for anything that
// does not begin with a two- or three-letter code.
std::string locale_language_code();

} // namespace stellaro
