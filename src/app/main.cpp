#include "app/commands.h"
#include "platform/standard_output.h"

#include <iostream>

int main(int argc, char** argv)
{
    stellaro::StandardOutput output;
    std::ostream out(&output);
    int status = stellaro::run_command_line(std::vector<std::string>(argv + 1, argv + argc), out, std::cerr);
    // Output that did not arrive is a failure, however the command itself went.
    if (const stellaro::FileResult written = output.result(); !written) {
        std::cerr << "stellaro: cannot write to standard output: " << written.reason << "\n";
        status = status == 0 ? 1 : status;
    }
    if (stellaro::standard_error_failed() && status == 0)
        status = 1;
    return status;
}
