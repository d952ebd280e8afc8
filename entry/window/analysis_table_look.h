#pragma once
// How the main window's table view shows and edits the analysis table.

#include "analysis_table.h"
#include "grid_look.h"

namespace kelvorad {

// The analysis table's look: fixed row 0 and column 0 centred, data cells aligned and columns
// sized as the table's column layout says; Enter and Tab walk the cells in reading order.
GridLook analysisTableLook(AnalysisTable& table);

}  // namespace kelvorad
