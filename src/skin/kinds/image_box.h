#pragma once
#include "skin/elements/element.h"
#include "skin/kinds/kind_support.h"
#include "skin/surface/picture.h"
#include "skin/surface/span_painter.h"

#include <memory>

namespace stellaro {

// "image": a skin picture stretched over the element as a nine-part picture, copied plainly or,
// with "alpha", through the blend family that alpha selects, or, with the colour "tint", as a
// coverage picture (an icon) painted in that colour. With "grow" the element never
// measures smaller than the picture.
class ImageBox : public Element, public LiveCount<ImageBox> {
public:
    explicit ImageBox(Element* owner = nullptr);

    void init_from_skin(Properties& properties, const SkinBlock* block) override;
    void paint(RenderSurface& surface, Point origin) override;
    void measure_width(Measure& measure) override;
    void measure_height(Measure& measure) override;

    const PictureRef& picture() const { return picture_; }
    void set_picture(PictureRef picture);

    bool grow = false;

private:
    PictureRef picture_;
    std::unique_ptr<SpanPainter> painter;
};

} // namespace stellaro
