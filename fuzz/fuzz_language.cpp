// Language files: the encoding guess, then the entries.
#include "skin/props/language_table.h"

#include <map>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace stellaro;
    std::map<std::u16string, std::u16string, std::less<>> texts;
    parse_language_entries(decode_language_text(std::string_view(reinterpret_cast<const char*>(data), size)), texts);
    return 0;
}
