#pragma once
#include "skin/surface/geometry.h"
#include "skin/surface/pixel_buffer.h"
#include "skin/surface/span_filler.h"
#include "skin/surface/span_painter.h"

#include <cstdint>
#include <memory>

namespace stellaro {

// A 16-bit drawing target: one pixel buffer (owned or borrowed) and a clip rectangle. Every
// drawing of the toolkit goes through the raster routines here. Operations on a surface without
// a buffer do nothing.
class RenderSurface {
public:
    RenderSurface() = default;
    explicit RenderSurface(Size size);
    // Draws into a buffer kept by someone else, which must outlive the surface.
    explicit RenderSurface(PixelBuffer& borrowed);
    ~RenderSurface();
    RenderSurface(const RenderSurface&) = delete;
    RenderSurface& operator=(const RenderSurface&) = delete;
    // Moves take the buffer and clip along and leave the other surface empty; fatal while a
    // clip scope is open on either.
    RenderSurface(RenderSurface&& other);
    RenderSurface& operator=(RenderSurface&& other);

    // A new owned buffer of the size (contents undefined); (0,0) just lets the old one go. False,
    // changing nothing, when the surface already owns a buffer of that size or owns none and the
    // size is (0,0); false too, leaving the surface empty, when no buffer of that size can be
    // made. Fatal while a clip scope is open.
    bool recreate(Size size);
    // Takes the buffer out of holder (left empty); the clip becomes its full extent.
    void adopt(std::unique_ptr<PixelBuffer>& holder);
    // Exchanges the buffers of two surfaces; both clips become their new buffers' full extent.
    void swap_buffers(RenderSurface& other);

    Size size() const;
    bool has_buffer() const { return buffer_ != nullptr; }
    PixelBuffer* buffer() { return buffer_; }
    const PixelBuffer* buffer() const { return buffer_; }

    void set_clip(Point top_left, Point bottom_right);
    Point clip_top_left() const { return {clip_left, clip_top}; }
    Point clip_bottom_right() const { return {clip_right, clip_bottom}; }
    bool clip_empty() const { return clip_left >= clip_right || clip_top >= clip_bottom; }

    void set_pixel(Point point, Colour colour);
    // The pixel at point, 0 outside the buffer.
    Pixel pixel(Point point) const;
    // Segment clipped to the clip; the end point itself is never written.
    void draw_line(Point from, Point to, Colour colour);
    // Walks the rectangle, cut to the clip, row by row with the filler.
    void apply(Point origin, Size size, const SpanFiller& filler);
    // Copies the whole source with its top-left corner at `at`.
    void draw(const RenderSurface& source, Point at, const SpanPainter& painter);
    // Copies the source rectangle (source_origin, size); nothing when it leaves the source.
    void draw(const RenderSurface& source, Point source_origin, Size size, Point at, const SpanPainter& painter);
    // Stretches the whole source onto the rectangle (at, size).
    void draw_scaled(const RenderSurface& source, Point at, Size size, const SpanPainter& painter);
    void draw_scaled(const RenderSurface& source, Point source_origin, Size source_size, Point at, Size size,
                     const SpanPainter& painter);

    // Sum of width x height over all live surfaces, for diagnostics.
    static int64_t live_pixels();

private:
    friend class ClipScope;

    struct Span {
        int32_t x, y, width, height, dx, dy;
    };
    // The rectangle cut to the clip and the buffer; dx, dy are how far its origin moved.
    bool clipped(Point origin, Size size, Span& span) const;
    void replace_buffer(PixelBuffer* buffer, PixelBuffer* owned);
    void full_clip();
    void check_no_clip_scope(const char16_t* where) const;

    int32_t clip_left = 0;
    int32_t clip_top = 0;
    int32_t clip_right = 0;
    int32_t clip_bottom = 0;
    int32_t clip_depth = 0;
    PixelBuffer* buffer_ = nullptr;
    PixelBuffer* owned = nullptr;
};

// Narrows a surface's clip to the intersection with (origin, size) for its lifetime. Scopes nest
// strictly: the last opened is the first closed.
class ClipScope {
public:
    ClipScope(RenderSurface& surface, Point origin, Size size);
    ~ClipScope();
    ClipScope(const ClipScope&) = delete;
    ClipScope& operator=(const ClipScope&) = delete;

private:
    RenderSurface& surface;
    Point saved_top_left;
    Point saved_bottom_right;
};

} // namespace stellaro
