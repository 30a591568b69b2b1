#pragma once
#include "fonts/font_desc.h"
#include "fonts/font_layout.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

struct FT_FaceRec_;

namespace stellaro {

struct TextSize {
    int32_t width = 0;
    int32_t height = 0;

    friend bool operator==(TextSize, TextSize) = default;
};

// Where text is drawn: RGB565 pixels of the part (left, top)-(right, bottom) of a text box,
// in box coordinates; bits is the address of pixel (left, top).
struct TextTarget {
    uint16_t* bits = nullptr;
    uint32_t pitch = 0;
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
};

// One font of the font system, with its metrics and the widths of the characters measured so
// far. Faces are found through fontconfig; a face that cannot be had leaves the font usable
// with the system's default sans face.
class FontRep {
public:
    explicit FontRep(const FontDesc& description);
    ~FontRep();
    FontRep(const FontRep&) = delete;
    FontRep& operator=(const FontRep&) = delete;

    const FontDesc& description() const { return desc; }
    // False when the described font could not be created (or size is 0).
    bool has_font() const { return own_face != nullptr; }
    int32_t descent() const { return descent_px; }
    int32_t line_height() const { return line_height_px; }

    // Width of the text and the line height. When max_width >= 1, first_unfit receives the
    // index of the first character whose right edge exceeds it (the text's length when all
    // fit); right_edges receives every character's right edge.
    TextSize measure(std::u16string_view text, int32_t max_width, int32_t* first_unfit = nullptr,
                     int32_t* descent = nullptr, std::vector<int32_t>* right_edges = nullptr);
    // The size of the text laid out on lines broken only at line breaks; width 0 when empty.
    TextSize measure_box(std::u16string_view text);
    // Draws the text anti-aliased over the target's pixels, laid out in a box of the given size.
    void draw(const TextTarget& target, uint32_t rgb, std::u16string_view text, int32_t box_width,
              int32_t box_height, HorizontalAlign halign, VerticalAlign valign, bool wrap);

    // How many times the font system was asked for character widths (each character once).
    size_t width_requests() const { return requests; }

private:
    struct Glyph {
        int32_t left = 0;
        int32_t top = 0;
        int32_t width = 0;
        int32_t rows = 0;
        std::vector<uint8_t> coverage;
    };

    FT_FaceRec_* face() const { return own_face ? own_face : fallback_face; }
    bool load(char16_t c);
    int32_t width_of(std::u16string_view text);
    const Glyph& glyph(char16_t c);
    void draw_line(const TextTarget& target, uint32_t rgb, std::u16string_view text, int32_t x, int32_t baseline);
    void draw_underline(const TextTarget& target, uint32_t rgb, int32_t x, int32_t width, int32_t baseline);

    FontDesc desc;
    FT_FaceRec_* own_face = nullptr;
    FT_FaceRec_* fallback_face = nullptr;
    bool embolden = false;
    bool slant = false;
    int32_t ascent_px = 0;
    int32_t descent_px = 0;
    int32_t line_height_px = 20;
    std::map<char16_t, int32_t> widths;
    std::map<char16_t, Glyph> glyphs;
    std::u16string missing;
    std::vector<size_t> missing_at;
    std::vector<int32_t> char_widths;
    size_t requests = 0;
};

} // namespace stellaro
