#pragma once
#include "skin/elements/element.h"
#include "skin/kinds/kind_support.h"
#include "skin/surface/pixel.h"

namespace stellaro {

// "color": fills its rectangle with one colour under its children; an alpha below 255 (set by
// the program: skin colours are opaque) blends the colour over what lies beneath. Passes input
// on to the elements inside it.
class ColorBox : public Element, public LiveCount<ColorBox> {
public:
    explicit ColorBox(Element* owner = nullptr);

    void init_from_skin(Properties& properties, const SkinBlock* block) override;
    void paint(RenderSurface& surface, Point origin) override;

    const Colour& colour() const { return colour_; }
    void set_colour(Colour colour);

private:
    Colour colour_{255, 0, 255, 255};
};

} // namespace stellaro
