#pragma once
#include "skin/surface/geometry.h"
#include "skin/surface/pixel_buffer.h"
#include "skin/surface/render_surface.h"
#include "skin/surface/span_painter.h"

#include <cstdint>
#include <memory>
#include <string>

namespace stellaro {

// A named 16-bit picture, drawn as a stretchable nine-part image: on each axis a fixed start
// part, a middle part repeated to fill the length, and a fixed end part.
class Picture {
public:
    Picture(std::u16string name, std::unique_ptr<PixelBuffer> pixels);
    virtual ~Picture();
    Picture(const Picture&) = delete;
    Picture& operator=(const Picture&) = delete;

    virtual Size size() const;
    // Night colours: every pixel but the transparent key keeps only its red channel and the
    // opaque flag.
    virtual void to_night();
    // Draws the region p0-p3 (split at p1 and p2; coordinates magnified by 2^scale) into the
    // rectangle (at, size), cut to the surface's clip. A region that leaves the picture draws
    // nothing. flag is carried by references and not used here.
    virtual void draw(RenderSurface& surface, Point at, Size size, Point p0, Point p1, Point p2, Point p3,
                      uint8_t flag, int32_t scale, const SpanPainter& painter) const;
    // The file name the picture was loaded from; empty for decoded or generated pictures.
    virtual const std::u16string& name() const;

    const PixelBuffer* pixels() const { return buffer.get(); }
    PixelBuffer* pixels() { return buffer.get(); }

private:
    std::u16string file_name;
    std::unique_ptr<PixelBuffer> buffer;
};

// A region of a shared picture with its nine-part split, as skins and elements hold them.
struct PictureRef {
    Point p0;
    Point p1;
    Point p2;
    Point p3;
    std::shared_ptr<Picture> picture;
    int32_t scale = 0; // source pixels are magnified by 2^scale
    uint8_t flag = 0;

    bool empty() const { return !picture; }
    // The region's natural size; (0,0) for an empty reference.
    Size size() const;
    void draw(RenderSurface& surface, Point at, Size size, const SpanPainter& painter) const;
    void draw(RenderSurface& surface, Point at, const SpanPainter& painter) const { draw(surface, at, size(), painter); }
};

// A reference to the whole picture, all of it the repeated middle part: drawn larger it tiles,
// drawn smaller it is cropped.
PictureRef whole_picture(std::shared_ptr<Picture> picture);

// Wraps a buffer in an unnamed picture; an empty reference for no buffer.
PictureRef make_picture(std::unique_ptr<PixelBuffer> buffer);

} // namespace stellaro
