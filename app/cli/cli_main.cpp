#include "cli_main.h"

#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#include "calc_command.h"
#include "help_file.h"
#include "output_file.h"
#include "plot_command.h"
#include "program_info.h"

namespace kelvorad {

namespace {
const char* const kUsage = R"(Usage: kelvorad [FILE.mi]
  or:  kelvorad calc INPUT [options]
  or:  kelvorad plot [options]
  or:  kelvorad --help | --version

Kelvorad estimates the temperature and oxygen fugacity at which coexisting magnetite and
ilmenite equilibrated, from their analyses (wt%).

  kelvorad               start the main window
  kelvorad FILE.mi       start the main window with an analysis file opened
  kelvorad calc ...      calculate from the command line ('kelvorad calc --help')
  kelvorad plot ...      draw the graphs of a run into image files ('kelvorad plot --help')
  kelvorad --version     print the version and the source revision of the build
)";

// The usage text with where the user manual is.
std::string usage() {
    return std::string(kUsage) + "\nThe user manual: " + helpFilePath().string() + "\n";
}
}  // namespace

bool isCommandLineCommand(const char* firstArgument) {
    for (const char* command : {"calc", "plot", "--help", "-h", "--version"}) {
        if (std::strcmp(firstArgument, command) == 0) return true;
    }
    return false;
}

bool answeredHelpOrVersion(const std::vector<std::string>& arguments,
                           const std::function<std::string()>& help) {
    for (const std::string& a : arguments) {
        if (a == "--help" || a == "-h") {
            std::cout << help();
            return true;
        }
        if (a == "--version") {
            std::cout << versionLine("kelvorad") << "\n";
            return true;
        }
    }
    return false;
}

namespace {

int runCommand(int argc, char** argv) {
    const std::string command = argv[1];
    std::vector<std::string> arguments(argv + 2, argv + argc);
    if (command == "calc") return runCalcCommand(arguments);
    if (command == "plot") return runPlotCommand(arguments);
    if (command == "--help" || command == "-h") {
        std::cout << usage();
        return 0;
    }
    if (command == "--version") {
        std::cout << versionLine("kelvorad") << "\n";
        return 0;
    }
    std::cerr << "kelvorad: unknown command '" << command << "'\n" << usage();
    return 2;
}

}  // namespace

int runCommandLine(int argc, char** argv) {
    const int status = runCommand(argc, argv);
    // Output lost on a full disk or a closed pipe must not pass for success.
    std::string error;
    if (!flushStandardOutput(error)) {
        std::cerr << "kelvorad: " << error << "\n";
        return status == 0 ? 1 : status;
    }
    return status;
}

}  // namespace kelvorad
