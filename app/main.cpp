// Start-up: "kelvorad calc ..." and "kelvorad plot ..." run headless from the command line;
// anything else starts the main window (optionally opening an analysis file).
#include <cstring>
#include <iostream>

#include "cli/cli_main.h"
#ifdef KELVORAD_HAS_GUI
#include "gui/gui_main.h"
#endif

int main(int argc, char** argv) {
    if (argc > 1 && kelvorad::isCommandLineCommand(argv[1])) {
        return kelvorad::runCommandLine(argc, argv);
    }
#ifdef KELVORAD_HAS_GUI
    return kelvorad::runMainWindow(argc, argv);
#else
    std::cerr << "kelvorad: this build has no windows; use 'kelvorad calc' (see --help)\n";
    return 2;
#endif
}
