#include "skin/props/language_table.h"

#include "skin/io/file_stream.h"

namespace stellaro {

namespace {

// Language files are a few hundred kilobytes; anything far larger is not one.
constexpr uint64_t MAX_LANGUAGE_FILE_BYTES = 64u << 20;

bool is_line_end(char16_t c) { return c == u'\n' || c == u'\r'; }
bool is_blank(char16_t c) { return c == u' ' || c == u'\t' || c == u'\v' || c == u'\f'; }
bool is_space(char16_t c) { return is_blank(c) || is_line_end(c); }

} // namespace

std::u16string decode_language_text(std::string_view bytes)
{
    std::u16string text;
    const bool utf16 = bytes.size() >= 2 && bytes.size() % 2 == 0 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
                       static_cast<unsigned char>(bytes[1]) == 0xFE;
    if (utf16) {
        text.reserve(bytes.size() / 2 - 1);
        for (size_t i = 2; i < bytes.size(); i += 2)
            text.push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                                 static_cast<unsigned char>(bytes[i + 1]) << 8));
    } else {
        text.reserve(bytes.size());
        for (const char byte : bytes)
            text.push_back(static_cast<char16_t>(static_cast<unsigned char>(byte)));
    }
    return text;
}

void parse_language_entries(std::u16string_view text, std::map<std::u16string, std::u16string, std::less<>>& texts)
{
    const size_t n = text.size();
    size_t i = 0;
    while (true) {
        while (i < n && is_space(text[i]))
            ++i;
        if (i == n)
            break;
        const size_t key_start = i;
        while (i < n && !is_space(text[i]) && text[i] != u'=')
            ++i;
        const std::u16string_view key = text.substr(key_start, i - key_start);
        if (i < n && text[i] == u'=') {
            ++i;
        } else {
            while (i < n && is_blank(text[i]))
                ++i;
        }
        const size_t value_start = i;
        while (i < n && !is_line_end(text[i]))
            ++i;
        if (!key.empty())
            texts.insert_or_assign(std::u16string(key), std::u16string(text.substr(value_start, i - value_start)));
    }
}

bool LanguageTable::load_language_file(std::u16string_view file)
{
    std::string bytes;
    if (!read_whole_stream(file, bytes, MAX_LANGUAGE_FILE_BYTES))
        return false;
    std::map<std::u16string, std::u16string, std::less<>> loaded;
    parse_language_entries(decode_language_text(bytes), loaded);
    texts = std::move(loaded);
    path = file;
    return true;
}

} // namespace stellaro
