#pragma once
#include "skin/elements/element.h"

namespace stellaro {

// "vtable": lays its visible children out stacked, top to bottom. Each gets its shrunk size,
// grows toward its full size while there is room, and children with a "table_ratio" share what
// is left.
// Passes input on to the elements inside it.
class VTable : public Element {
public:
    explicit VTable(Element* owner = nullptr);

    void arrange_y() override;
    void measure_height(Measure& measure) override;
};

} // namespace stellaro
