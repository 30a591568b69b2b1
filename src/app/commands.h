#pragma once
#include <ostream>
#include <string>
#include <vector>

namespace stellaro {

// Runs the command line (without the program name): "info", "--help", ... Returns the exit
// status: 0 done, 1 failed, 2 a bad command-line value (reported on one line in err).
int run_command_line(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

} // namespace stellaro
