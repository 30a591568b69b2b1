#pragma once
#include "skin/props/properties.h"
#include "skin/surface/geometry.h"

#include <cstdint>
#include <optional>
#include <string>

namespace stellaro {

// What the commands that show the sky set up alike.

// The resolution the skins are loaded for.
constexpr int32_t DOTS_PER_INCH = 96;

// A --size value, WxH, each side 16 to 8192; throws UsageError otherwise.
Size parse_size(const std::string& text);

// A --rotate value, 0, 90, 180 or 270 degrees, as quarter turns; throws UsageError otherwise.
int32_t parse_rotation(const std::string& text);

// The file of a --language name; throws UsageError, listing the languages there are, when no
// language file has that name.
std::u16string check_language_name(const std::string& name);

// The language given by --language (name), else the start-up choice: the settings, the locale,
// English, any language file. A damaged file tried on the way, or no language at all, is
// reported for the command; false when any was (the loaded table tells whether one loaded).
// Throws UsageError for a name that no language file has, listing those there are.
bool load_language(Properties& properties, const std::string& command, const std::optional<std::string>& name);

} // namespace stellaro
