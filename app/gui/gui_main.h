#pragma once
// Starting the program's windows.

namespace kelvorad {

// Shows the main window and runs the event loop until the program ends; returns the exit
// code. A first argument names an analysis file to open as Open File would (a file that
// cannot be read is reported in a message box and the window starts all the same).
// "--version" prints the version line instead; "--quit-after-start" ends the program once
// its event loop runs, for checking that the windows start.
int runMainWindow(int argc, char** argv);

}  // namespace kelvorad
