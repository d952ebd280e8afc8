// Start-up: "kelvorad calc ..." and "kelvorad plot ..." run headless from the command line;
// anything else starts the windows (optionally opening an analysis file). The windows are a
// program of their own, kelvorad-window beside this one, so that the command line starts
// without loading the window toolkit: a 350-pair run then takes milliseconds, not the tens of
// milliseconds the toolkit's libraries need to load.
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "cli/cli_main.h"

namespace {
#ifdef KELVORAD_HAS_GUI
int startWindows(int argc, char** argv) {
    std::error_code error;
    const auto self = std::filesystem::read_symlink("/proc/self/exe", error);
    const std::filesystem::path windows =
        (error ? std::filesystem::path(argv[0]).parent_path() : self.parent_path()) /
        "kelvorad-window";
    const std::string program = windows.string();
    std::vector<char*> arguments{const_cast<char*>(program.c_str())};
    for (int k = 1; k < argc; ++k) arguments.push_back(argv[k]);
    arguments.push_back(nullptr);
    execv(program.c_str(), arguments.data());
    std::cerr << "kelvorad: cannot start the windows (" << program << ": " << std::strerror(errno)
              << ")\n";
    return 1;
}
#endif
}  // namespace

int main(int argc, char** argv) {
    if (argc > 1 && kelvorad::isCommandLineCommand(argv[1])) {
        return kelvorad::runCommandLine(argc, argv);
    }
#ifdef KELVORAD_HAS_GUI
    return startWindows(argc, argv);
#else
    std::cerr << "kelvorad: this build has no windows; use 'kelvorad calc' (see --help)\n";
    return 2;
#endif
}
