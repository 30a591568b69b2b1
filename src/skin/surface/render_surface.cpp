#include "skin/surface/render_surface.h"

#include "skin/io/log.h"

#include <algorithm>
#include <atomic>
#include <cstdlib>

namespace stellaro {

namespace {

std::atomic<int64_t> pixel_count{0};

int64_t pixels_of(const PixelBuffer* buffer)
{
    return buffer ? int64_t{buffer->width()} * buffer->height() : 0;
}

} // namespace

RenderSurface::RenderSurface(Size size)
{
    recreate(size);
}

RenderSurface::RenderSurface(PixelBuffer& borrowed) : buffer_(&borrowed)
{
    pixel_count += pixels_of(buffer_);
    full_clip();
}

RenderSurface::RenderSurface(RenderSurface&& other)
{
    swap_buffers(other);
}

RenderSurface& RenderSurface::operator=(RenderSurface&& other)
{
    if (this != &other) {
        RenderSurface emptied;
        swap_buffers(emptied);
        swap_buffers(other);
    }
    return *this;
}

RenderSurface::~RenderSurface()
{
    pixel_count -= pixels_of(buffer_);
    delete owned;
}

int64_t RenderSurface::live_pixels()
{
    return pixel_count;
}

void RenderSurface::check_no_clip_scope(const char16_t* where) const
{
    if (clip_depth != 0)
        fatal(u"Clip is in effect, cannot resize", where);
}

void RenderSurface::replace_buffer(PixelBuffer* buffer, PixelBuffer* new_owned)
{
    pixel_count -= pixels_of(buffer_);
    if (owned != new_owned)
        delete owned;
    buffer_ = buffer;
    owned = new_owned;
    pixel_count += pixels_of(buffer_);
    full_clip();
}

void RenderSurface::full_clip()
{
    const Size extent = size();
    clip_left = 0;
    clip_top = 0;
    clip_right = extent.width;
    clip_bottom = extent.height;
}

bool RenderSurface::recreate(Size size)
{
    if (owned ? owned->size() == size : size == Size{})
        return false;
    check_no_clip_scope(u"RenderSurface::recreate");
    replace_buffer(nullptr, nullptr);
    std::unique_ptr<PixelBuffer> created = PixelBuffer::create(size);
    if (!created)
        return size == Size{};
    PixelBuffer* buffer = created.release();
    replace_buffer(buffer, buffer);
    return true;
}

void RenderSurface::adopt(std::unique_ptr<PixelBuffer>& holder)
{
    check_no_clip_scope(u"RenderSurface::adopt");
    PixelBuffer* buffer = holder.release();
    replace_buffer(buffer, buffer);
}

void RenderSurface::swap_buffers(RenderSurface& other)
{
    check_no_clip_scope(u"RenderSurface::swap_buffers");
    other.check_no_clip_scope(u"RenderSurface::swap_buffers");
    std::swap(buffer_, other.buffer_);
    std::swap(owned, other.owned);
    full_clip();
    other.full_clip();
}

Size RenderSurface::size() const
{
    return buffer_ ? buffer_->size() : Size{};
}

void RenderSurface::set_clip(Point top_left, Point bottom_right)
{
    if (!buffer_)
        return;
    const Size extent = buffer_->size();
    clip_left = std::clamp(top_left.x, 0, extent.width);
    clip_top = std::clamp(top_left.y, 0, extent.height);
    clip_right = std::min(bottom_right.x, extent.width);
    clip_bottom = std::min(bottom_right.y, extent.height);
    if (clip_right <= clip_left || clip_bottom <= clip_top) {
        clip_right = clip_left;
        clip_bottom = clip_top;
    }
}

void RenderSurface::set_pixel(Point point, Colour colour)
{
    if (buffer_ && point.x >= clip_left && point.x < clip_right && point.y >= clip_top && point.y < clip_bottom)
        buffer_->row(point.y)[point.x] = to_pixel(colour);
}

Pixel RenderSurface::pixel(Point point) const
{
    if (!buffer_ || point.x < 0 || point.y < 0 || point.x >= buffer_->width() || point.y >= buffer_->height())
        return 0;
    return buffer_->row(point.y)[point.x];
}

bool RenderSurface::clipped(Point origin, Size size, Span& span) const
{
    if (!buffer_ || size.width < 1 || size.height < 1)
        return false;
    const int64_t left = std::max(clip_left, 0);
    const int64_t top = std::max(clip_top, 0);
    const int64_t right = std::min(clip_right, buffer_->width());
    const int64_t bottom = std::min(clip_bottom, buffer_->height());
    int64_t x = origin.x, y = origin.y, w = size.width, h = size.height, dx = 0, dy = 0;
    if (x < left) {
        dx = left - x;
        w -= dx;
        x = left;
    }
    if (y < top) {
        dy = top - y;
        h -= dy;
        y = top;
    }
    w = std::min(w, right - x);
    h = std::min(h, bottom - y);
    if (w < 1 || h < 1)
        return false;
    span = {static_cast<int32_t>(x), static_cast<int32_t>(y), static_cast<int32_t>(w),
            static_cast<int32_t>(h), static_cast<int32_t>(dx), static_cast<int32_t>(dy)};
    return true;
}

void RenderSurface::apply(Point origin, Size size, const SpanFiller& filler)
{
    Span span;
    if (!clipped(origin, size, span))
        return;
    for (int32_t r = 0; r < span.height; ++r) {
        Pixel* row = buffer_->row(span.y + r) + span.x;
        filler.fill(row, row + span.width);
    }
}

void RenderSurface::draw(const RenderSurface& source, Point at, const SpanPainter& painter)
{
    draw(source, Point{}, source.size(), at, painter);
}

void RenderSurface::draw(const RenderSurface& source, Point source_origin, Size size, Point at,
                         const SpanPainter& painter)
{
    const PixelBuffer* from = source.buffer_;
    if (!from || size.width < 1 || size.height < 1 || source_origin.x < 0 || source_origin.y < 0 ||
        int64_t{source_origin.x} + size.width > from->width() ||
        int64_t{source_origin.y} + size.height > from->height())
        return;
    Span span;
    if (!clipped(at, size, span))
        return;
    const int32_t sx = source_origin.x + span.dx;
    const int32_t sy = source_origin.y + span.dy;
    for (int32_t r = 0; r < span.height; ++r) {
        Pixel* row = buffer_->row(span.y + r) + span.x;
        painter.paint(row, row + span.width, from->row(sy + r) + sx, span.dy + r);
    }
}

void RenderSurface::draw_scaled(const RenderSurface& source, Point at, Size size, const SpanPainter& painter)
{
    draw_scaled(source, Point{}, source.size(), at, size, painter);
}

void RenderSurface::draw_scaled(const RenderSurface& source, Point source_origin, Size source_size, Point at,
                                Size size, const SpanPainter& painter)
{
    const PixelBuffer* from = source.buffer_;
    // An empty source rectangle would make every destination pixel read the column or row just
    // past it, so it is refused along with the rectangles that leave the source.
    if (!from || size.width <= 0 || size.height <= 0 || source_origin.x < 0 || source_origin.y < 0 ||
        source_size.width < 1 || source_size.height < 1 ||
        int64_t{source_origin.x} + source_size.width > from->width() ||
        int64_t{source_origin.y} + source_size.height > from->height())
        return;
    Span span;
    if (!clipped(at, size, span))
        return;
    const int64_t x_step = (int64_t{source_size.width} << 10) / size.width;
    const int64_t y_step = (int64_t{source_size.height} << 10) / size.height;
    const int64_t x_fixed = (int64_t{source_origin.x} << 10) + span.dx * x_step;
    int64_t y_fixed = (int64_t{source_origin.y} << 10) + span.dy * y_step;
    for (int32_t r = 0; r < span.height; ++r, y_fixed += y_step) {
        const auto source_row = static_cast<int32_t>(y_fixed >> 10);
        Pixel* row = buffer_->row(span.y + r) + span.x;
        painter.paint_scaled(row, row + span.width, from->row(source_row), static_cast<uint32_t>(x_fixed),
                             static_cast<uint32_t>(x_step), source_row);
    }
}

void RenderSurface::draw_line(Point from, Point to, Colour colour)
{
    if (!buffer_ || clip_empty())
        return;
    const int64_t left = clip_left, right = clip_right - 1, top = clip_top, bottom = clip_bottom - 1;
    auto code_of = [&](int64_t x, int64_t y) {
        return (x < left ? 1 : 0) | (x > right ? 2 : 0) | (y > bottom ? 4 : 0) | (y < top ? 8 : 0);
    };
    int64_t x1 = from.x, y1 = from.y, x2 = to.x, y2 = to.y;
    int c1 = code_of(x1, y1), c2 = code_of(x2, y2);
    // Each move lands on the segment between the points, so a few passes settle it; the bound
    // only guards against a pathological rounding cycle.
    for (int pass = 0; c1 | c2; ++pass) {
        if ((c1 & c2) || pass == 8)
            return;
        const int code = c1 ? c1 : c2;
        int64_t x = c1 ? x1 : x2, y = c1 ? y1 : y2;
        if (code & 4) {
            x = x1 + (x2 - x1) * (bottom - y1) / (y2 - y1);
            y = bottom;
        }
        if (code & 8) {
            x = x1 + (x2 - x1) * (top - y1) / (y2 - y1);
            y = top;
        }
        if (code & 2) {
            y = y1 + (y2 - y1) * (right - x1) / (x2 - x1);
            x = right;
        }
        if (code & 1) {
            y = y1 + (y2 - y1) * (left - x1) / (x2 - x1);
            x = left;
        }
        if (c1) {
            x1 = x, y1 = y;
            c1 = code_of(x1, y1);
        } else {
            x2 = x, y2 = y;
            c2 = code_of(x2, y2);
        }
    }
    const int64_t dx = std::llabs(x2 - x1), dy = std::llabs(y2 - y1);
    if (dx == 0 && dy == 0)
        return;
    const Pixel value = to_pixel(colour);
    const int32_t sx = x2 >= x1 ? 1 : -1, sy = y2 >= y1 ? 1 : -1;
    auto x = static_cast<int32_t>(x1), y = static_cast<int32_t>(y1);
    auto put = [&] { buffer_->row(y)[x] = value; };
    put();
    if (dy <= dx) {
        int64_t e = 2 * dy - dx;
        for (int64_t i = 0; i < dx; ++i) {
            if (e > 0) {
                e += 2 * (dy - dx);
                y += sy;
            } else {
                e += 2 * dy;
            }
            put();
            x += sx;
        }
    } else {
        int64_t e = 2 * dx - dy;
        for (int64_t i = 0; i < dy; ++i) {
            if (e > 0) {
                e += 2 * (dx - dy);
                x += sx;
            } else {
                e += 2 * dx;
            }
            put();
            y += sy;
        }
    }
}

ClipScope::ClipScope(RenderSurface& surface, Point origin, Size size)
    : surface(surface), saved_top_left(surface.clip_top_left()), saved_bottom_right(surface.clip_bottom_right())
{
    ++surface.clip_depth;
    surface.set_clip(max_point(saved_top_left, origin), min_point(saved_bottom_right, origin + size));
}

ClipScope::~ClipScope()
{
    surface.set_clip(saved_top_left, saved_bottom_right);
    --surface.clip_depth;
}

} // namespace stellaro
