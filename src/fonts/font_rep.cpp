#include "fonts/font_rep.h"

#include "fonts/font_layout.h"
#include "fonts/font_system.h"
#include "platform/clock.h"
#include "skin/io/log.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SYNTHESIS_H

#include <algorithm>
#include <cstdlib>

namespace stellaro {

namespace {

// Face names are cut where the platform's logical fonts cut them.
constexpr size_t MAX_FACE_LENGTH = 31;
// Pixel sizes beyond this are taken as damaged descriptions.
constexpr int32_t MAX_PIXEL_SIZE = 1000;
// The pixel size of the system font used when a described font cannot be had.
constexpr int32_t FALLBACK_PIXEL_SIZE = 16;

struct OpenedFace {
    FT_Face face = nullptr;
    bool embolden = false;
    bool slant = false;
};

OpenedFace open_face(const std::u16string& family, bool bold, bool italic, int32_t pixels)
{
    OpenedFace opened;
    FontFile file;
    FT_Library library = font_library();
    if (!library || pixels < 1 || pixels > MAX_PIXEL_SIZE || !match_font_file(family, bold, italic, file))
        return opened;
    FT_Face face = nullptr;
    if (FT_New_Face(library, file.path.c_str(), file.index, &face) != 0)
        return opened;
    if (FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixels)) != 0) {
        FT_Done_Face(face);
        return opened;
    }
    FT_Select_Charmap(face, FT_ENCODING_UNICODE);
    opened.face = face;
    opened.embolden = bold && !file.bold;
    opened.slant = italic && !file.italic;
    return opened;
}

int32_t round_26_6(FT_Pos value)
{
    return static_cast<int32_t>((value + 32) >> 6);
}

} // namespace

FontRep::FontRep(const FontDesc& description) : desc(description)
{
    missing.reserve(100);
    missing_at.reserve(100);
    char_widths.reserve(100);
    if (desc.size != 0) {
        const int32_t height = font_pixel_height(desc);
        log() << "dpiy=" << 96 << " log_font.lfHeight=" << height << "\n";
        const Stopwatch watch;
        const std::u16string face_name = desc.face.substr(0, MAX_FACE_LENGTH);
        const OpenedFace opened = open_face(face_name, desc.bold != 0, desc.italic != 0, std::abs(height));
        own_face = opened.face;
        embolden = opened.embolden;
        slant = opened.slant;
        if (!own_face)
            log() << "ERROR: FontRep::FontRep() Failed to create font\n";
        log() << "Creating font: {" << face_name << "} elapsed=" << static_cast<int64_t>(watch.seconds() * 1000)
              << "\n";
    }
    if (own_face) {
        const FT_Size_Metrics& metrics = own_face->size->metrics;
        ascent_px = round_26_6(metrics.ascender);
        descent_px = std::max(0, round_26_6(-metrics.descender));
        line_height_px = ascent_px + descent_px;
    } else {
        fallback_face = open_face(u"sans-serif", false, false, FALLBACK_PIXEL_SIZE).face;
        ascent_px = fallback_face ? round_26_6(fallback_face->size->metrics.ascender) : line_height_px;
    }
}

FontRep::~FontRep()
{
    if (own_face)
        FT_Done_Face(own_face);
    if (fallback_face)
        FT_Done_Face(fallback_face);
}

bool FontRep::load(char16_t c)
{
    FT_Face used = face();
    if (!used || FT_Load_Char(used, c, FT_LOAD_TARGET_LIGHT) != 0)
        return false;
    if (embolden)
        FT_GlyphSlot_Embolden(used->glyph);
    if (slant)
        FT_GlyphSlot_Oblique(used->glyph);
    return true;
}

TextSize FontRep::measure(std::u16string_view text, int32_t max_width, int32_t* first_unfit, int32_t* descent,
                          std::vector<int32_t>* right_edges)
{
    char_widths.assign(text.size(), 0);
    missing.clear();
    missing_at.clear();
    for (size_t i = 0; i < text.size(); ++i) {
        const auto known = widths.find(text[i]);
        if (known != widths.end()) {
            char_widths[i] = known->second;
        } else {
            missing.push_back(text[i]);
            missing_at.push_back(i);
        }
    }
    if (!missing.empty()) {
        ++requests;
        for (size_t k = 0; k < missing.size(); ++k) {
            const char16_t c = missing[k];
            auto known = widths.find(c);
            if (known == widths.end()) {
                const int32_t width = load(c) ? round_26_6(face()->glyph->advance.x) : 0;
                known = widths.emplace(c, width).first;
            }
            char_widths[missing_at[k]] = known->second;
        }
    }
    if (right_edges)
        right_edges->resize(text.size());
    int32_t sum = 0;
    auto unfit = static_cast<int32_t>(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        sum += char_widths[i];
        if (right_edges)
            (*right_edges)[i] = sum;
        if (max_width >= 1 && sum > max_width && unfit == static_cast<int32_t>(text.size()))
            unfit = static_cast<int32_t>(i);
    }
    if (first_unfit)
        *first_unfit = unfit;
    if (descent)
        *descent = descent_px;
    return {sum, line_height_px};
}

int32_t FontRep::width_of(std::u16string_view text)
{
    return measure(text, 0).width;
}

TextSize FontRep::measure_box(std::u16string_view text)
{
    if (text.empty())
        return {0, line_height_px};
    int32_t width = 0;
    int32_t lines = 0;
    size_t at = 0;
    while (at <= text.size()) {
        size_t end = text.find(u'\n', at);
        if (end == std::u16string_view::npos)
            end = text.size();
        std::u16string line(text.substr(at, end - at));
        std::erase(line, u'\r');
        width = std::max(width, width_of(line));
        ++lines;
        at = end + 1;
    }
    return {width, lines * line_height_px};
}

const FontRep::Glyph& FontRep::glyph(char16_t c)
{
    const auto known = glyphs.find(c);
    if (known != glyphs.end())
        return known->second;
    Glyph made;
    if (load(c) && FT_Render_Glyph(face()->glyph, FT_RENDER_MODE_LIGHT) == 0) {
        const FT_GlyphSlot slot = face()->glyph;
        const FT_Bitmap& bitmap = slot->bitmap;
        if (bitmap.pixel_mode == FT_PIXEL_MODE_GRAY && bitmap.buffer) {
            made.left = slot->bitmap_left;
            made.top = slot->bitmap_top;
            made.width = static_cast<int32_t>(bitmap.width);
            made.rows = static_cast<int32_t>(bitmap.rows);
            made.coverage.resize(static_cast<size_t>(made.width) * static_cast<size_t>(made.rows));
            for (int32_t y = 0; y < made.rows; ++y) {
                const unsigned char* row = bitmap.buffer + static_cast<ptrdiff_t>(y) * bitmap.pitch;
                std::copy(row, row + made.width, made.coverage.begin() + static_cast<ptrdiff_t>(y) * made.width);
            }
        }
    }
    return glyphs.emplace(c, std::move(made)).first->second;
}

namespace {

// Mixes the text colour into one pixel by the glyph's coverage.
uint16_t blend(uint16_t pixel, uint32_t rgb, uint32_t coverage)
{
    const uint32_t r5 = pixel >> 11, g6 = (pixel >> 5) & 0x3F, b5 = pixel & 0x1F;
    const int32_t dr = static_cast<int32_t>(r5 << 3 | r5 >> 2);
    const int32_t dg = static_cast<int32_t>(g6 << 2 | g6 >> 4);
    const int32_t db = static_cast<int32_t>(b5 << 3 | b5 >> 2);
    const auto a = static_cast<int32_t>(coverage);
    const int32_t r = dr + ((static_cast<int32_t>(rgb >> 16 & 0xFF) - dr) * a + 127) / 255;
    const int32_t g = dg + ((static_cast<int32_t>(rgb >> 8 & 0xFF) - dg) * a + 127) / 255;
    const int32_t b = db + ((static_cast<int32_t>(rgb & 0xFF) - db) * a + 127) / 255;
    return static_cast<uint16_t>((r & 0xF8) << 8 | (g & 0xFC) << 3 | (b & 0xFF) >> 3);
}

uint16_t* pixel_at(const TextTarget& target, int32_t x, int32_t y)
{
    return reinterpret_cast<uint16_t*>(reinterpret_cast<uint8_t*>(target.bits) +
                                       static_cast<ptrdiff_t>(y - target.top) * target.pitch) +
           (x - target.left);
}

} // namespace

void FontRep::draw_line(const TextTarget& target, uint32_t rgb, std::u16string_view text, int32_t x, int32_t baseline)
{
    for (const char16_t c : text) {
        const Glyph& shape = glyph(c);
        const int32_t gx = x + shape.left;
        const int32_t gy = baseline - shape.top;
        const int32_t x0 = std::max(gx, target.left), x1 = std::min(gx + shape.width, target.right);
        const int32_t y0 = std::max(gy, target.top), y1 = std::min(gy + shape.rows, target.bottom);
        for (int32_t y = y0; y < y1; ++y) {
            const uint8_t* coverage = shape.coverage.data() + static_cast<ptrdiff_t>(y - gy) * shape.width;
            uint16_t* pixel = pixel_at(target, x0, y);
            for (int32_t px = x0; px < x1; ++px, ++pixel)
                if (const uint8_t a = coverage[px - gx]; a != 0)
                    *pixel = blend(*pixel, rgb, a);
        }
        const auto width = widths.find(c);
        x += width != widths.end() ? width->second : 0;
    }
}

void FontRep::draw_underline(const TextTarget& target, uint32_t rgb, int32_t x, int32_t width, int32_t baseline)
{
    FT_Face used = face();
    if (!used)
        return;
    const FT_Fixed scale = used->size->metrics.y_scale;
    const int32_t below = std::max(1, round_26_6(-FT_MulFix(used->underline_position, scale)));
    const int32_t thickness = std::max(1, round_26_6(FT_MulFix(used->underline_thickness, scale)));
    const int32_t x0 = std::max(x, target.left), x1 = std::min(x + width, target.right);
    const int32_t y0 = std::max(baseline + below, target.top), y1 = std::min(baseline + below + thickness, target.bottom);
    for (int32_t y = y0; y < y1; ++y) {
        uint16_t* pixel = pixel_at(target, x0, y);
        for (int32_t px = x0; px < x1; ++px, ++pixel)
            *pixel = blend(*pixel, rgb, 255);
    }
}

void FontRep::draw(const TextTarget& target, uint32_t rgb, std::u16string_view text, int32_t box_width,
                   int32_t box_height, HorizontalAlign halign, VerticalAlign valign, bool wrap)
{
    if (text.empty() || !target.bits || target.left >= target.right || target.top >= target.bottom)
        return;
    const TextWidth width = [this](std::u16string_view part) { return width_of(part); };
    for (const TextLine& line : layout_text(text, box_width, box_height, line_height_px, halign, valign, wrap, width)) {
        const int32_t baseline = line.y + ascent_px;
        draw_line(target, rgb, line.text, line.x, baseline);
        if (desc.underline)
            draw_underline(target, rgb, line.x, line.width, baseline);
    }
}

} // namespace stellaro
