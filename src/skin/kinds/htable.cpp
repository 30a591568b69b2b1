#include "skin/kinds/htable.h"

#include "skin/kinds/table_arithmetic.h"

namespace stellaro {

HTable::HTable(Element* owner) : Element(owner) {}

void HTable::arrange_x() { arrange_table(*this, TableAxis::HORIZONTAL); }

void HTable::measure_width(Measure& measure) { measure_table(*this, TableAxis::HORIZONTAL, measure); }

} // namespace stellaro
