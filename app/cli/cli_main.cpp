#include "cli_main.h"

#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#include "calc_command.h"
#include "plot_command.h"

namespace kelvorad {

namespace {
const char* const kUsage = R"(usage: kelvorad [FILE.mi]
       kelvorad calc INPUT [options]
       kelvorad plot [options]
       kelvorad --help

Kelvorad estimates the temperature and oxygen fugacity at which coexisting magnetite and
ilmenite equilibrated, from their analyses (wt%).

  kelvorad               start the main window
  kelvorad FILE.mi       start the main window with an analysis file opened
  kelvorad calc ...      calculate from the command line ('kelvorad calc --help')
  kelvorad plot ...      draw the graphs of a run into image files ('kelvorad plot --help')
)";
}  // namespace

bool isCommandLineCommand(const char* firstArgument) {
    return std::strcmp(firstArgument, "calc") == 0 || std::strcmp(firstArgument, "plot") == 0 ||
           std::strcmp(firstArgument, "--help") == 0 || std::strcmp(firstArgument, "-h") == 0;
}

int runCommandLine(int argc, char** argv) {
    const std::string command = argv[1];
    std::vector<std::string> arguments(argv + 2, argv + argc);
    if (command == "calc") return runCalcCommand(arguments);
    if (command == "plot") return runPlotCommand(arguments);
    if (command == "--help" || command == "-h") {
        std::cout << kUsage;
        return 0;
    }
    std::cerr << "kelvorad: unknown command '" << command << "'\n" << kUsage;
    return 2;
}

}  // namespace kelvorad
