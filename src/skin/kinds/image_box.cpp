#include "skin/kinds/image_box.h"

#include <algorithm>

namespace stellaro {

ImageBox::ImageBox(Element* owner) : Element(owner), painter(plain_copy_painter().clone()) {}

void ImageBox::init_from_skin(Properties& properties, const SkinBlock* block)
{
    Element::init_from_skin(properties, block);
    picture_ = properties.get_picture(block, u"src", PictureRef{});
    const int32_t alpha = properties.get_int(block, u"alpha", -1);
    // Skin colours are opaque, so a transparent answer means the block names no tint.
    const Colour tint = properties.get_color(block, u"tint", Colour{0, 0, 0, 0});
    if (tint.a != 0)
        painter = coverage_tint_painter(tint);
    else
        painter = alpha != -1 ? alpha_painter(alpha) : plain_copy_painter().clone();
    grow = properties.get_int(block, u"grow", 0) != 0;
}

void ImageBox::set_picture(PictureRef picture)
{
    picture_ = std::move(picture);
    if (grow)
        invalidate_measure();
    request_repaint();
}

void ImageBox::paint(RenderSurface& surface, Point origin)
{
    if (!picture_.empty())
        picture_.draw(surface, origin, {width(), height()}, *painter);
    Element::paint(surface, origin);
}

void ImageBox::measure_width(Measure& measure)
{
    Element::measure_width(measure);
    if (!grow)
        return;
    measure.minimum = std::max(measure.minimum, picture_.size().width);
    measure.natural = std::max(measure.natural, picture_.size().width);
}

void ImageBox::measure_height(Measure& measure)
{
    Element::measure_height(measure);
    if (!grow)
        return;
    measure.minimum = std::max(measure.minimum, picture_.size().height);
    measure.natural = std::max(measure.natural, picture_.size().height);
}

} // namespace stellaro
