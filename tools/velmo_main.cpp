#include "tools/velmo_commands.h"

#include <iostream>

int main(int argc, char** argv)
{
    std::vector<std::string> arguments(argv + 1, argv + argc);
    return static_cast<int>(velmo::tools::runVelmo(arguments, std::cout, std::cerr));
}
