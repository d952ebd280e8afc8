#pragma once
// The calculation run started from the main window ("Open File to Calculate", toolbar 13): the
// run's start steps on the main window's option menus, the chosen methods in the results
// window's status bar, an analysis file asked for when none was opened, the seven plot data
// files in the working folder, one results row per analysis pair appended to the results
// window, and afterwards one message naming the oxide cells that were not plain numbers.

#include "desktop_services.h"

namespace kelvorad {

class MainWindow;
class ResultsScreen;

// Runs the calculation over the main window's analysis table. Every failure the run meets is
// reported by the run itself.
void calculateFromWindow(MainWindow& main, ResultsScreen& results, DesktopServices desktop);

}  // namespace kelvorad
