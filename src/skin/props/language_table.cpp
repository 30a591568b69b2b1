#include "skin/props/language_table.h"

#include "skin/io/file_stream.h"

namespace stellaro {

namespace {

// Language files are a few hundred kilobytes; anything far larger is not one.
constexpr uint64_t MAX_LANGUAGE_FILE_BYTES = 64u << 20;

bool is_line_end(char16_t c) { return c == u'\n' || c == u'\r'; }
bool is_blank(char16_t c) { return c == u' ' || c == u'\t' || c == u'\v' || c == u'\f'; }
bool is_space(char16_t c) { return is_blank(c) || is_line_end(c); }

bool is_utf16(std::string_view bytes)
{
    return bytes.size() >= 2 && bytes.size() % 2 == 0 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
           static_cast<unsigned char>(bytes[1]) == 0xFE;
}

} // namespace

std::u16string decode_language_text(std::string_view bytes)
{
    std::u16string text;
    if (is_utf16(bytes)) {
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

std::string language_text_fault(std::string_view bytes, std::u16string_view text)
{
    if (bytes.size() >= 2 && bytes.size() % 2 == 1 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
        static_cast<unsigned char>(bytes[1]) == 0xFE)
        return "its UTF-16 text has an odd number of bytes, so it is cut short";
    const size_t first = is_utf16(bytes) ? 1 : 0;
    const size_t unit_bytes = is_utf16(bytes) ? 2 : 1;
    for (size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        const bool high = c >= 0xD800 && c <= 0xDBFF;
        const bool paired = high && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF;
        const bool broken = (high && !paired) || (c >= 0xDC00 && c <= 0xDFFF);
        if ((c < 0x20 && !is_space(c)) || c == 0x7F || c == 0xFFFE || c == 0xFFFF || broken)
            return "byte " + std::to_string((first + i) * unit_bytes) + " is not text";
        if (paired)
            ++i;
    }
    return {};
}

LanguageLoad LanguageTable::load_language_file(std::u16string_view file)
{
    LanguageLoad result;
    std::string bytes;
    if (!read_whole_stream(file, bytes, MAX_LANGUAGE_FILE_BYTES)) {
        result.problem = "it cannot be read";
        return result;
    }
    const std::u16string text = decode_language_text(bytes);
    result.problem = language_text_fault(bytes, text);
    if (!result.problem.empty())
        return result;
    std::map<std::u16string, std::u16string, std::less<>> loaded;
    parse_language_entries(text, loaded);
    if (loaded.empty()) {
        result.problem = "it holds no texts";
        return result;
    }
    texts = std::move(loaded);
    path = file;
    result.loaded = true;
    return result;
}

} // namespace stellaro
