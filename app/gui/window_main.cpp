// kelvorad-window: the program's windows, started by "kelvorad" (or directly), optionally with
// an analysis file to open.
#include "gui_main.h"

int main(int argc, char** argv) {
    return kelvorad::runMainWindow(argc, argv);
}
