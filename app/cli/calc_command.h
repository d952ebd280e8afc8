#pragma once
// "kelvorad calc": calculates every pair of an analysis file, a workbook or a text file of
// pairs, writes the seven plot data files, and the results rows, table or workbook where asked.

#include <string>
#include <vector>

namespace kelvorad {

// Runs the command with its arguments (after "calc"); returns the exit code: 0 done, 1 input
// unreadable, an oxide cell not a plain number under --strict, or an output not written; 2
// wrong usage (a header naming one analysis cell twice included). The help text is calcHelp()
// of calc_arguments.h.
int runCalcCommand(const std::vector<std::string>& arguments);

}  // namespace kelvorad
