#include "app/commands.h"

#include <iostream>

int main(int argc, char** argv)
{
    return stellaro::run_command_line(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
}
