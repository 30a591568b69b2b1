#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace stellaro {

// The single-instance rule. True when another copy of the program runs and has been handed the
// arguments (it comes forward): this start then ends at once. Otherwise this copy becomes the
// one that later starts find, and `take_handed_command_lines` gives what they send.
bool show_running_instance(const std::vector<std::string>& arguments, std::u16string_view title);

// The command lines handed over since the last call, each as its arguments joined by spaces.
std::vector<std::u16string> take_handed_command_lines();
// Stops listening (at shutdown, and between tests).
void close_running_instance();

} // namespace stellaro
