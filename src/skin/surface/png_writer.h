#pragma once
#include "skin/surface/pixel_buffer.h"
#include "skin/surface/render_surface.h"

#include <string>

namespace stellaro {

// Writes the pixels as an 8-bit RGB PNG file (path in UTF-8), replacing the file atomically.
// False, with a log line, when there are no pixels or the file cannot be written.
bool write_png(const PixelBuffer& buffer, const std::string& path);
bool write_png(const RenderSurface& surface, const std::string& path);

} // namespace stellaro
