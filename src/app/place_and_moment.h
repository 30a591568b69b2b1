#pragma once
#include "app/command_line.h"

namespace stellaro {

class Document;

// Applies --lat, --lon and --time to the document: the stored place and the clock stand for what
// is not given. A persistent document stores the given place as the user's own choice.
void apply_place_and_moment(OptionList& options, Document& document);

// Applies the --lat, --lon and --time of a command line that a later start handed over (its
// arguments joined by spaces, the command first). Anything else is ignored; a bad value changes
// nothing and is reported on stderr, since the start that sent it has already ended. True when
// something was applied.
bool apply_handed_command_line(std::u16string_view text, Document& document);

} // namespace stellaro
