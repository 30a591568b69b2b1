#include "platform/locale_language.h"

#include <cctype>
#include <cstdlib>

namespace stellaro {

std::string locale_language_code()
{
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(variable);
        if (!value || !*value)
            continue;
        std::string code;
        const char* c = value;
        while (std::isalpha(static_cast<unsigned char>(*c)))
            code.push_back(static_cast<char>(std::toupper(static_cast<unsigned char>(*c++))));
        const bool ends = *c == '\0' || *c == '_' || *c == '.' || *c == '@';
        if (!ends || code.size() < 2 || code.size() > 3)
            return {};
        return code;
    }
    return {};
}

} // namespace stellaro
