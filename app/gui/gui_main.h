#pragma once
// Starting the program's windows.

namespace kelvorad {

// Shows the main window and runs the event loop until the program ends; returns the exit
// code. A first argument names an analysis file to open as Open File would (a file that
// cannot be read is reported in a message box and the window starts all the same).
int runMainWindow(int argc, char** argv);

}  // namespace kelvorad
