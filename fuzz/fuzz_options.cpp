// Command lines, one argument per input line: the first names the command. The commands that
// open a window or write files are left out; the others parse every option they take.
#include "fuzz_support.h"

#include "app/commands.h"

#include <sstream>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace stellaro;
    fuzz_folder(); // the commands read the settings
    std::vector<std::string> arguments;
    std::istringstream lines(std::string(reinterpret_cast<const char*>(data), size));
    for (std::string line; std::getline(lines, line);)
        arguments.push_back(line);
    if (arguments.empty() || arguments[0].empty() || arguments[0].rfind("--", 0) == 0 || arguments[0] == "run" ||
        arguments[0] == "render")
        return 0;
    std::ostringstream out, err;
    run_command_line(arguments, out, err);
    return 0;
}
