#include "keypad_key.h"

namespace stellaro {

namespace {

// Latin-1 letters U+00C0..U+00FF; '.' marks the two signs of the block that are no letters.
constexpr char LATIN_1[] = "aaaaaaaceeeeiiiidnooooo.ouuuuytsaaaaaaaceeeeiiiidnooooo.ouuuuyty";
// Latin Extended-A, U+0100..U+017F.
constexpr char LATIN_EXTENDED_A[] =
    "aaaaaaccccccccddddeeeeeeeeeegggggggghhhhiiiiiiiiiiiijjkkkllllllllll"
    "nnnnnnnnnoooooooorrrrrrssssssssttttttuuuuuuuuuuuuwwyyyzzzzzzs";
// Cyrillic U+0410..U+044F (both cases), one Latin letter each.
constexpr char CYRILLIC[] = "abvgdezziyklmnoprstufhccss.y.eyyabvgdezziyklmnoprstufhccss.y.eyy";

static_assert(sizeof(LATIN_1) == 0x40 + 1 && sizeof(LATIN_EXTENDED_A) == 0x80 + 1 && sizeof(CYRILLIC) == 0x40 + 1);

char16_t keypad_digit(char16_t letter)
{
    static constexpr char DIGITS[] = "22233344455566677778889999";
    return static_cast<char16_t>(DIGITS[letter - u'a']);
}

bool is_combining_mark(char16_t c)
{
    return c >= 0x0300 && c <= 0x036F;
}

} // namespace

char16_t base_letter(char16_t c)
{
    if (c >= u'a' && c <= u'z')
        return c;
    if (c >= u'A' && c <= u'Z')
        return static_cast<char16_t>(c - u'A' + u'a');
    char letter = '.';
    if (c >= 0x00C0 && c <= 0x00FF)
        letter = LATIN_1[c - 0x00C0];
    else if (c >= 0x0100 && c <= 0x017F)
        letter = LATIN_EXTENDED_A[c - 0x0100];
    else if (c >= 0x0410 && c <= 0x044F)
        letter = CYRILLIC[c - 0x0410];
    else if (c == 0x0401 || c == 0x0451 || c == 0x0404 || c == 0x0454)
        letter = 'e';
    else if (c == 0x0406 || c == 0x0456 || c == 0x0407 || c == 0x0457)
        letter = 'i';
    else if (c == 0x0490 || c == 0x0491)
        letter = 'g';
    else if (c == 0x018F || c == 0x0259)
        letter = 'e'; // schwa
    else if (c == 0x01A0 || c == 0x01A1)
        letter = 'o';
    else if (c == 0x01AF || c == 0x01B0)
        letter = 'u';
    else if (c == 0x0218 || c == 0x0219)
        letter = 's';
    else if (c == 0x021A || c == 0x021B)
        letter = 't';
    return letter == '.' ? 0 : static_cast<char16_t>(letter);
}

std::u16string keypad_key(const std::u16string& name, const std::u16string& ascii_name)
{
    const bool same_length = ascii_name.size() == name.size();
    std::u16string key(name.size(), u' ');
    for (size_t i = 0; i < name.size(); ++i) {
        const char16_t c = name[i];
        if (c >= u'0' && c <= u'9') {
            key[i] = c;
            continue;
        }
        if (is_combining_mark(c)) {
            key[i] = i > 0 ? key[i - 1] : u' ';
            continue;
        }
        char16_t letter = base_letter(c);
        if (letter == 0 && c >= 0x80 && same_length)
            letter = base_letter(ascii_name[i]);
        if (letter != 0)
            key[i] = keypad_digit(letter);
    }
    return key;
}

} // namespace stellaro
