#include "skin/surface/picture.h"

#include <algorithm>

namespace stellaro {

namespace {

// One axis of a nine-part drawing: up to three destination pieces, each with where it reads.
struct AxisPiece {
    int32_t begin = 0;  // destination coordinate of the first pixel drawn
    int32_t length = 0; // pixels drawn
    int32_t source = 0; // magnified source coordinate of the first pixel
    bool repeated = false;
};

struct Axis {
    AxisPiece pieces[3];
    int32_t start_length = 0;
    int32_t middle_length = 0;
};

// Splits the destination length between the parts and cuts the pieces to [clip_begin, clip_end).
Axis map_axis(int32_t at, int32_t length, int32_t clip_begin, int32_t clip_end, int32_t q0, int32_t q1, int32_t q2,
              int32_t q3)
{
    const int32_t start = q1 - q0, end = q3 - q2, middle_source = q2 - q1;
    int32_t start_length = start, end_length = end;
    if (length <= start + end) {
        start_length = length / 2;
        end_length = (length - 1) / 2;
        if (start_length > start) {
            end_length += start_length - start;
            start_length = start;
        }
        if (end_length > end) {
            start_length += end_length - end;
            end_length = end;
        }
    }
    const int32_t middle_length = length - start_length - end_length;

    Axis axis;
    axis.start_length = start_length;
    axis.middle_length = middle_length;
    const AxisPiece whole[3] = {{at, start_length, q0, false},
                                {at + start_length, middle_source > 0 ? middle_length : 0, q1, true},
                                {at + start_length + middle_length, end_length, q3 - end_length, false}};
    for (int i = 0; i < 3; ++i) {
        const AxisPiece& piece = whole[i];
        const int32_t first = std::max(piece.begin, clip_begin);
        const int32_t stop = std::min(piece.begin + piece.length, clip_end);
        if (first >= stop)
            continue;
        const int32_t removed = first - piece.begin;
        AxisPiece& cut = axis.pieces[i];
        cut.begin = first;
        cut.length = stop - first;
        cut.repeated = piece.repeated;
        cut.source = piece.repeated ? q1 + removed % middle_source : piece.source + removed;
    }
    return axis;
}

bool ordered(int32_t q0, int32_t q1, int32_t q2, int32_t q3, int32_t limit)
{
    return 0 <= q0 && q0 <= q1 && q1 <= q2 && q2 <= q3 && q3 <= limit;
}

} // namespace

Picture::Picture(std::u16string name, std::unique_ptr<PixelBuffer> pixels)
    : file_name(std::move(name)), buffer(std::move(pixels))
{
}

Picture::~Picture() = default;

Size Picture::size() const
{
    return buffer ? buffer->size() : Size{};
}

const std::u16string& Picture::name() const
{
    return file_name;
}

void Picture::to_night()
{
    if (!buffer)
        return;
    for (int32_t y = 0; y < buffer->height(); ++y) {
        Pixel* row = buffer->row(y);
        for (int32_t x = 0; x < buffer->width(); ++x)
            if (row[x] != TRANSPARENT_KEY)
                row[x] &= 0xF820;
    }
}

void Picture::draw(RenderSurface& surface, Point at, Size size, Point p0, Point p1, Point p2, Point p3, uint8_t,
                   int32_t scale, const SpanPainter& painter) const
{
    PixelBuffer* target = surface.buffer();
    if (!buffer || !target || scale < 0 || scale > 4 || size.width < 1 || size.height < 1)
        return;
    const int64_t width_limit = int64_t{buffer->width()} << scale;
    const int64_t height_limit = int64_t{buffer->height()} << scale;
    if (!ordered(p0.x, p1.x, p2.x, p3.x, static_cast<int32_t>(std::min<int64_t>(width_limit, INT32_MAX))) ||
        !ordered(p0.y, p1.y, p2.y, p3.y, static_cast<int32_t>(std::min<int64_t>(height_limit, INT32_MAX))))
        return;
    const Point clip_begin = max_point(at, surface.clip_top_left());
    const Point clip_end = min_point(at + size, surface.clip_bottom_right());
    if (clip_begin.x >= clip_end.x || clip_begin.y >= clip_end.y)
        return;

    const Axis columns = map_axis(at.x, size.width, clip_begin.x, clip_end.x, p0.x, p1.x, p2.x, p3.x);
    const Axis rows = map_axis(at.y, size.height, clip_begin.y, clip_end.y, p0.y, p1.y, p2.y, p3.y);
    for (const AxisPiece& band : rows.pieces) {
        for (int32_t r = 0; r < band.length; ++r) {
            int32_t source_y = band.source + r;
            if (band.repeated)
                source_y = p1.y + (band.source - p1.y + r) % (p2.y - p1.y);
            const Pixel* source_row = buffer->row(source_y >> scale);
            Pixel* row = target->row(band.begin + r);
            for (const AxisPiece& piece : columns.pieces) {
                if (piece.length < 1)
                    continue;
                if (piece.repeated)
                    painter.paint_magnified_wrapped(row + piece.begin, source_row, piece.source, piece.length, scale,
                                                    p1.x, p2.x);
                else
                    painter.paint_magnified(row + piece.begin, source_row, piece.source, piece.length, scale);
            }
        }
    }
}

Size PictureRef::size() const
{
    return picture ? Size{p3.x - p0.x, p3.y - p0.y} : Size{};
}

void PictureRef::draw(RenderSurface& surface, Point at, Size size, const SpanPainter& painter) const
{
    if (picture)
        picture->draw(surface, at, size, p0, p1, p2, p3, flag, scale, painter);
}

PictureRef whole_picture(std::shared_ptr<Picture> picture)
{
    PictureRef ref;
    if (picture) {
        const Size size = picture->size();
        ref.p2 = ref.p3 = Point{size.width, size.height};
    }
    ref.picture = std::move(picture);
    return ref;
}

PictureRef make_picture(std::unique_ptr<PixelBuffer> buffer)
{
    if (!buffer)
        return {};
    return whole_picture(std::make_shared<Picture>(std::u16string(), std::move(buffer)));
}

} // namespace stellaro
