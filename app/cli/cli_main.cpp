#include "cli_main.h"

#include <cstring>
#include <iostream>

namespace kelvorad {

bool isCommandLineCommand(const char* firstArgument) {
    return std::strcmp(firstArgument, "calc") == 0 || std::strcmp(firstArgument, "plot") == 0 ||
           std::strcmp(firstArgument, "--help") == 0 || std::strcmp(firstArgument, "-h") == 0;
}

int runCommandLine(int, char**) {
    std::cout << "usage: kelvorad calc INPUT\n";
    return 0;
}

}  // namespace kelvorad
