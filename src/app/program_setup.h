#pragma once
#include "skin/props/properties.h"
#include "skin/surface/geometry.h"

#include <cstdint>
#include <string>

namespace stellaro {

// What the commands that show the sky set up alike.

// The resolution the skins are loaded for.
constexpr int32_t DOTS_PER_INCH = 96;

// A --size value, WxH, each side 16 to 8192; throws UsageError otherwise.
Size parse_size(const std::string& text);

// A --rotate value, 0, 90, 180 or 270 degrees, as quarter turns; throws UsageError otherwise.
int32_t parse_rotation(const std::string& text);

// The language chosen in the settings, else English. Each file tried that did not load is
// reported for the command; false when any was (the loaded table tells whether one loaded).
bool load_language(Properties& properties, const std::string& command);

} // namespace stellaro
