#include "skin/kinds/htable.h"

#include "skin/kinds/kind_support.h"
#include "skin/kinds/table_arithmetic.h"

namespace stellaro {

HTable::HTable(Element* owner) : Element(owner) { take_input_from_owner(*this); }

void HTable::arrange_x() { arrange_table(*this, TableAxis::HORIZONTAL); }

void HTable::measure_width(Measure& measure) { measure_table(*this, TableAxis::HORIZONTAL, measure); }

} // namespace stellaro
