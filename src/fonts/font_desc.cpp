#include "fonts/font_desc.h"

#include <limits>

namespace stellaro {

namespace {

bool is_space(char16_t c)
{
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == u'\v' || c == u'\f';
}

void skip_spaces(std::u16string_view text, size_t& at)
{
    while (at < text.size() && is_space(text[at]))
        ++at;
}

// A decimal integer with an optional sign; values beyond 32 bits are refused.
bool read_integer(std::u16string_view text, size_t& at, int32_t& value)
{
    skip_spaces(text, at);
    size_t i = at;
    bool negative = false;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+'))
        negative = text[i++] == u'-';
    const size_t digits = i;
    int64_t number = 0;
    while (i < text.size() && text[i] >= u'0' && text[i] <= u'9') {
        number = number * 10 + (text[i++] - u'0');
        if (number > std::numeric_limits<int32_t>::max())
            return false;
    }
    if (i == digits)
        return false;
    value = static_cast<int32_t>(negative ? -number : number);
    at = i;
    return true;
}

} // namespace

FontDesc default_font_desc(int32_t scale)
{
    FontDesc desc;
    desc.scale = scale;
    return desc;
}

bool parse_font_desc(std::u16string_view text, FontDesc& desc)
{
    size_t at = 0;
    int32_t value = 0;
    if (!read_integer(text, at, value))
        return false;
    desc.size = value;
    uint8_t* flags[] = {&desc.bold, &desc.italic, &desc.underline};
    for (uint8_t* flag : flags) {
        if (!read_integer(text, at, value))
            return false;
        *flag = value != 0 ? 1 : 0;
    }
    skip_spaces(text, at);
    size_t end = text.size();
    while (end > at && is_space(text[end - 1]))
        --end;
    desc.face = std::u16string(text.substr(at, end - at));
    return true;
}

int32_t font_pixel_height(const FontDesc& desc)
{
    return static_cast<int32_t>(-(int64_t{desc.size} * desc.scale * 96) / 72);
}

} // namespace stellaro
