#pragma once
// Starting the program's windows.

namespace kelvorad {

// Shows the main window and runs the event loop until the program ends; returns the exit
// code. A first argument names an analysis file to open as Open File would (a file that
// cannot be read is reported in a message box and the window starts all the same).
// "--version" prints the version line instead; "--quit-after-start" ends the program once
// its event loop runs, for checking that the windows start.
int runMainWindow(int argc, char** argv);

// Sets the C library's number format back to "C" after the window toolkit has taken the
// desktop's locale for the whole process, as it does when it starts: libraries that read
// workbooks parse numbers through it, and under a locale with a decimal comma they would read
// "0.12" as 0. Texts, dates and the toolkit's own number display keep the desktop's locale.
void keepNumbersInCNotation();

}  // namespace kelvorad
