#pragma once
// "kelvorad calc": calculates every pair of an analysis file or a text file of pairs, writes the
// seven plot data files, and the results rows or table where asked.

#include <string>
#include <vector>

namespace kelvorad {

// Runs the command with its arguments (after "calc"); returns the exit code: 0 done, 1 input
// unreadable or an output not written, 2 wrong usage.
int runCalcCommand(const std::vector<std::string>& arguments);

// The help text of "kelvorad calc".
std::string calcHelp();

}  // namespace kelvorad
