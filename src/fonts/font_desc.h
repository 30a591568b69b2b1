#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace stellaro {

// A font as skins describe it.
struct FontDesc {
    int32_t size = 12;  // points at 96 dots per inch
    int32_t scale = 1;  // 2 on screens of 192 dots per inch or more
    uint8_t bold = 0;
    uint8_t italic = 0;
    uint8_t underline = 0;
    std::u16string face = u"Tahoma";

    friend bool operator==(const FontDesc&, const FontDesc&) = default;
};

// The default description for a screen scale: 12 points, plain, "Tahoma".
FontDesc default_font_desc(int32_t scale);

// Reads the text form "size bold italic underline face", e.g. "10 1 0 0 Tahoma": four decimal
// integers (optional sign) each preceded by white space, then white space and the face name,
// which is the rest of the text. The scale is left as it is. False when a number is missing;
// the fields read so far keep their new values.
bool parse_font_desc(std::u16string_view text, FontDesc& desc);

// The pixel height asked of the font system: -(size x scale x 96) / 72, truncated toward zero;
// negative as it names the character height, not the cell height.
int32_t font_pixel_height(const FontDesc& desc);

} // namespace stellaro
