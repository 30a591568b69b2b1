#include "fonts/font_system.h"

#include "platform/utf.h"

#include <fontconfig/fontconfig.h>

#include <cstdlib>
#include <mutex>

namespace stellaro {

namespace {

// The FreeType library lives for the whole process: faces made from it may exist until exit.
// Fontconfig is shut down at exit, which also frees what its initialisation keeps.
struct FontSystem {
    FT_Library library = nullptr;
    FcConfig* config = nullptr;
    std::mutex mutex;

    FontSystem()
    {
        if (FT_Init_FreeType(&library) != 0)
            library = nullptr;
        if (FcInit()) {
            config = FcConfigGetCurrent();
            std::atexit(FcFini);
        }
    }
};

FontSystem& font_system()
{
    static FontSystem* system = new FontSystem;
    return *system;
}

} // namespace

FT_Library font_library()
{
    return font_system().library;
}

bool match_font_file(const std::u16string& face, bool bold, bool italic, FontFile& file)
{
    FontSystem& system = font_system();
    if (!system.config)
        return false;
    std::lock_guard lock(system.mutex);
    FcPattern* pattern = FcPatternCreate();
    if (!pattern)
        return false;
    const std::string family = utf16_to_utf8(face);
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(system.config, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(system.config, pattern, &result);
    FcPatternDestroy(pattern);
    if (!match)
        return false;
    FcChar8* path = nullptr;
    bool found = FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch && path;
    if (found) {
        file.path = reinterpret_cast<const char*>(path);
        int value = 0;
        file.index = FcPatternGetInteger(match, FC_INDEX, 0, &value) == FcResultMatch ? value : 0;
        file.bold = FcPatternGetInteger(match, FC_WEIGHT, 0, &value) == FcResultMatch && value >= FC_WEIGHT_DEMIBOLD;
        file.italic = FcPatternGetInteger(match, FC_SLANT, 0, &value) == FcResultMatch && value != FC_SLANT_ROMAN;
    }
    FcPatternDestroy(match);
    return found;
}

} // namespace stellaro
