#include "skin/kinds/vtable.h"

#include "skin/kinds/table_arithmetic.h"

namespace stellaro {

VTable::VTable(Element* owner) : Element(owner) {}

void VTable::arrange_y() { arrange_table(*this, TableAxis::VERTICAL); }

void VTable::measure_height(Measure& measure) { measure_table(*this, TableAxis::VERTICAL, measure); }

} // namespace stellaro
