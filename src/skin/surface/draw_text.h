#pragma once
#include "fonts/font_handle.h"
#include "fonts/font_layout.h"
#include "skin/surface/geometry.h"
#include "skin/surface/pixel.h"
#include "skin/surface/render_surface.h"

#include <string_view>

namespace stellaro {

// Draws a text box (position, size) into the surface over what is already there: alignment
// values as parse_halign / parse_valign give them, wrap at spaces or one line, "..." where the
// text is cut. Only the part inside the surface's clip and inside (clip_origin, clip_size) -
// box coordinates; (-1, -1) for either means the whole box - is written. Every pixel the text
// changed also gets the opaque flag, so the result can serve as a blend-ready picture.
void draw_text(const FontHandle& font, RenderSurface& surface, Colour colour, std::u16string_view text,
               Point position, Size size, HorizontalAlign halign, VerticalAlign valign, bool wrap,
               Point clip_origin = {-1, -1}, Size clip_size = {-1, -1});

} // namespace stellaro
