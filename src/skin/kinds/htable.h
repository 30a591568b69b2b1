#pragma once
#include "skin/elements/element.h"

namespace stellaro {

// "htable": lays its visible children out side by side, left to right. Each gets its shrunk size, grows toward
// its full size while there is room, and children with a "table_ratio" share what is left.
// Passes input on to the elements inside it.
class HTable : public Element {
public:
    explicit HTable(Element* owner = nullptr);

    void arrange_x() override;
    void measure_width(Measure& measure) override;
};

} // namespace stellaro
