#pragma once
#include "platform/atomic_file.h"
#include "skin/surface/pixel_buffer.h"
#include "skin/surface/render_surface.h"

#include <string>

namespace stellaro {

// Writes the pixels as an 8-bit RGB PNG file (path in UTF-8) as write_whole_file does: a regular
// file is replaced atomically, a device or FIFO written in place. Fails, saying why, when there
// are no pixels or the file cannot be written.
FileResult write_png(const PixelBuffer& buffer, const std::string& path);
FileResult write_png(const RenderSurface& surface, const std::string& path);

} // namespace stellaro
