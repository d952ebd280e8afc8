#pragma once
// The command-line front end.

namespace kelvorad {

// True for the first arguments the command line handles itself ("calc", "plot", "--help", ...).
bool isCommandLineCommand(const char* firstArgument);

// Runs a command-line command; returns the process exit code.
int runCommandLine(int argc, char** argv);

}  // namespace kelvorad
