#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace stellaro {

// A language the system may be set to: the platform's primary language number, the ISO 639-1
// code in capitals and the English name in capitals, which names its language file.
struct SystemLanguage {
    int32_t id;
    const char* code;
    const char* name;
};

// The name of the language with that ISO code ("DE" gives "GERMAN"); empty for an unknown code.
std::u16string system_language_for_code(std::string_view code);

// The name of the user's language as the locale sets it (LC_ALL, LC_MESSAGES, LANG); empty when
// none is set or the table has no such language.
std::u16string system_language_name();

} // namespace stellaro
