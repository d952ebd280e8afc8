#pragma once
// "kelvorad plot": renders graph templates over the plot data files of a run into image files,
// through gnuplot.

#include <string>
#include <string_view>
#include <vector>

namespace kelvorad {

// Runs the command with its arguments (after "plot"); returns the exit code: 0 every image
// written, 1 gnuplot missing, a folder unusable or an image not written, 2 wrong usage.
int runPlotCommand(const std::vector<std::string>& arguments);

// The same, with the gnuplot program to use (a name looked up on the PATH, or a path).
int runPlotCommand(const std::vector<std::string>& arguments, std::string_view gnuplotProgram);

// The help text of "kelvorad plot".
std::string plotHelp();

}  // namespace kelvorad
