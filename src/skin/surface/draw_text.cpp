#include "skin/surface/draw_text.h"

namespace stellaro {

namespace {

// The scratch canvas the text is drawn on before it goes back to the surface; it is kept
// between calls and only replaced when a larger area is needed.
RenderSurface& scratch_canvas()
{
    static RenderSurface canvas;
    return canvas;
}

} // namespace

void draw_text(const FontHandle& font, RenderSurface& surface, Colour colour, std::u16string_view text,
               Point position, Size size, HorizontalAlign halign, VerticalAlign valign, bool wrap, Point clip_origin,
               Size clip_size)
{
    if (text.empty() || !font || size.width < 1 || size.height < 1)
        return;
    Point top_left = max_point(position, surface.clip_top_left());
    Point bottom_right = min_point(position + size, surface.clip_bottom_right());
    const bool whole_box = clip_origin == Point{-1, -1} || clip_size == Size{-1, -1};
    if (!whole_box) {
        top_left = max_point(top_left, position + clip_origin);
        bottom_right = min_point(bottom_right, position + clip_origin + clip_size);
    }
    const Size visible{bottom_right.x - top_left.x, bottom_right.y - top_left.y};
    if (visible.width < 1 || visible.height < 1)
        return;

    RenderSurface& canvas = scratch_canvas();
    const Size held = canvas.size();
    if (held.width < visible.width || held.height < visible.height)
        canvas.recreate(visible);
    if (!canvas.has_buffer())
        return;
    canvas.draw(surface, top_left, visible, Point{}, plain_copy_painter());

    PixelBuffer& pixels = *canvas.buffer();
    TextTarget target;
    target.bits = pixels.row(0);
    target.pitch = pixels.pitch();
    target.left = top_left.x - position.x;
    target.top = top_left.y - position.y;
    target.right = target.left + visible.width;
    target.bottom = target.top + visible.height;
    const uint32_t rgb = uint32_t{colour.r} << 16 | uint32_t{colour.g} << 8 | colour.b;
    font->draw(target, rgb, text, size.width, size.height, halign, valign, wrap);

    surface.draw(canvas, Point{}, visible, top_left, change_mark_painter());
}

} // namespace stellaro
