#pragma once
#include "app/command_line.h"

#include <ostream>

namespace stellaro {

// One command of the command line: its name, its usage line and what runs it.
struct Command {
    const char* name;
    const char* usage;
    const char* summary;
    int (*run)(OptionList& options, std::ostream& out);
};

int info_command(OptionList& options, std::ostream& out);
int ephemeris_command(OptionList& options, std::ostream& out);
int render_command(OptionList& options, std::ostream& out);
int run_command(OptionList& options, std::ostream& out);

} // namespace stellaro
