#pragma once
// The command-line front end.

#include <functional>
#include <string>
#include <vector>

namespace kelvorad {

// True for the first arguments the command line handles itself ("calc", "plot", "--help", ...).
bool isCommandLineCommand(const char* firstArgument);

// Runs a command-line command; returns the process exit code.
int runCommandLine(int argc, char** argv);

// Answers "--help" (or "-h") anywhere among a command's arguments with `help()`, and
// "--version" with the version line, on standard output. True when it answered one.
bool answeredHelpOrVersion(const std::vector<std::string>& arguments,
                           const std::function<std::string()>& help);

}  // namespace kelvorad
