#include "app/quoted_text.h"

#include <cstdio>

namespace stellaro {

namespace {

// The length of the UTF-8 sequence of a printable character at the start of text, or 0 when
// its first byte is a control character or no valid sequence starts there.
size_t printable_sequence(std::string_view text)
{
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(0);
    if (lead < 0x80)
        return lead >= 0x20 && lead != 0x7f ? 1 : 0;
    size_t length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xbf;
    if (lead >= 0xc2 && lead <= 0xdf) {
        length = 2;
    } else if (lead >= 0xe0 && lead <= 0xef) {
        length = 3;
        // No overlong forms and no surrogates.
        low = lead == 0xe0 ? 0xa0 : 0x80;
        high = lead == 0xed ? 0x9f : 0xbf;
    } else if (lead >= 0xf0 && lead <= 0xf4) {
        length = 4;
        low = lead == 0xf0 ? 0x90 : 0x80;
        high = lead == 0xf4 ? 0x8f : 0xbf;
    } else {
        return 0;
    }
    if (text.size() < length || byte(1) < low || byte(1) > high)
        return 0;
    for (size_t i = 2; i < length; ++i) {
        if (byte(i) < 0x80 || byte(i) > 0xbf)
            return 0;
    }
    // The C1 controls U+0080..U+009F, which some terminals obey as escape sequences.
    if (lead == 0xc2 && byte(1) < 0xa0)
        return 0;
    return length;
}

} // namespace

std::string quoted(std::string_view text)
{
    std::string out = "'";
    size_t characters = 0;
    size_t at = 0;
    while (at < text.size() && characters < MAX_QUOTED_CHARACTERS) {
        const size_t length = printable_sequence(text.substr(at));
        if (length == 0) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", static_cast<unsigned char>(text[at]));
            out += escaped;
            ++at;
        } else {
            out.append(text, at, length);
            at += length;
        }
        ++characters;
    }
    out += "'";
    if (at < text.size())
        out += "...";
    return out;
}

} // namespace stellaro
