#include "skin/kinds/color_box.h"

#include "skin/surface/span_filler.h"

namespace stellaro {

namespace {

// Mixes one colour into every pixel by alpha on a 0..255 scale, channel by channel in RGB565.
class BlendFiller final : public SpanFiller {
public:
    explicit BlendFiller(Colour colour)
        : red(colour.r >> 3), green(colour.g >> 2), blue(colour.b >> 3), alpha(colour.a)
    {
    }
    void fill(Pixel* begin, Pixel* end) const override
    {
        for (Pixel* pixel = begin; pixel < end; ++pixel) {
            const int32_t r = mix((*pixel >> 11) & 0x1F, red);
            const int32_t g = mix((*pixel >> 5) & 0x3F, green);
            const int32_t b = mix(*pixel & 0x1F, blue);
            *pixel = static_cast<Pixel>(r << 11 | g << 5 | b);
        }
    }

private:
    int32_t mix(int32_t under, int32_t over) const { return under + (over - under) * alpha / 255; }

    int32_t red;
    int32_t green;
    int32_t blue;
    int32_t alpha;
};

} // namespace

ColorBox::ColorBox(Element* owner) : Element(owner) {}

void ColorBox::init_from_skin(Properties& properties, const SkinBlock* block)
{
    Element::init_from_skin(properties, block);
    colour_ = properties.get_color(block, u"color", {0, 0, 0, 255});
}

void ColorBox::set_colour(Colour colour)
{
    colour_ = colour;
    request_repaint();
}

void ColorBox::paint(RenderSurface& surface, Point origin)
{
    if (colour_.a == 255)
        surface.apply(origin, {width(), height()}, SolidFiller(colour_));
    else if (colour_.a != 0)
        surface.apply(origin, {width(), height()}, BlendFiller(colour_));
    Element::paint(surface, origin);
}

} // namespace stellaro
