#pragma once
#include "app/command_line.h"

namespace stellaro {

class Document;

// Applies --lat, --lon and --time to the document without storing anything: the stored place and
// the clock stand for what is not given.
void apply_place_and_moment(OptionList& options, Document& document);

} // namespace stellaro
