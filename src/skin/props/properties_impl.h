#pragma once
#include "fonts/font_handle.h"
#include "skin/props/skin_file.h"
#include "skin/surface/picture.h"

#include <string>
#include <string_view>
#include <vector>

namespace stellaro {

// What loading a skin found.
struct SkinLoad {
    bool loaded = false;
    std::string file;    // the file at fault, the skin or one of its pictures (a native path)
    std::string problem; // what was wrong with it, for the user; empty when the skin loaded

    explicit operator bool() const { return loaded; }
};

// One loaded skin: the file, checked and queried in place, with the pictures, fonts and strings
// it names made ready. Loading stops at the first failure and leaves the object not loaded.
class PropertiesImpl {
public:
    PropertiesImpl() = default;
    // Reads the skin at path (path macros allowed); pictures are named relative to its folder.
    // Coordinates are doubled on displays of 192 dots per inch or more.
    // What went wrong is told in outcome.
    PropertiesImpl(std::u16string_view path, int32_t dots_per_inch, SkinLoad& outcome);

    bool loaded() const { return is_loaded; }
    // 1 on high-resolution displays, else 0: the shift applied to points and pictures.
    int32_t scale() const { return high_resolution; }

    SkinFile& file() { return skin; }
    const SkinFile& file() const { return skin; }
    // Whole-picture references, one per picture file of the skin, in index order. A scale of -1
    // marks a double-density twin, whose pixels are already magnified once.
    const std::vector<PictureRef>& pictures() const { return picture_table; }
    const std::vector<FontHandle>& fonts() const { return font_table; }

    void swap(PropertiesImpl& other) noexcept;

private:
    bool load_pictures(std::u16string_view path, SkinLoad& outcome);
    void create_fonts();

    SkinFile skin;
    std::vector<PictureRef> picture_table;
    std::vector<FontHandle> font_table;
    int32_t high_resolution = 0;
    bool is_loaded = false;
};

} // namespace stellaro
