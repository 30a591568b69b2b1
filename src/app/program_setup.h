#pragma once
#include "skin/elements/element_factory.h"
#include "skin/props/properties.h"
#include "skin/surface/geometry.h"

#include <cstdint>
#include <memory>
#include <string>

namespace stellaro {

// What the commands that show the sky set up alike.

// The resolution the skins are loaded for.
constexpr int32_t DOTS_PER_INCH = 96;

// A --size value, WxH, each side 16 to 8192; throws UsageError otherwise.
Size parse_size(const std::string& text);

// The language chosen in the settings, else English; false when none loads.
bool load_language(Properties& properties);

// Registers the sky's element kind unless it is registered already; held for as long as the
// skin's elements are made.
std::unique_ptr<NodeRegistration> register_sky_kind();

} // namespace stellaro
