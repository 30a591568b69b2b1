#pragma once
#include <ft2build.h>
#include FT_FREETYPE_H

#include <string>

namespace stellaro {

// The font file fontconfig chose for a face name and style.
struct FontFile {
    std::string path;
    int index = 0;
    bool bold = false;   // the file's own weight is bold or heavier
    bool italic = false; // the file's own slant is italic or oblique
};

// The process-wide FreeType library; null when it cannot be initialised.
FT_Library font_library();

// Resolves a face name ("Tahoma" falls back to an installed sans face) through fontconfig;
// false when fontconfig knows no font at all.
bool match_font_file(const std::u16string& face, bool bold, bool italic, FontFile& file);

} // namespace stellaro
