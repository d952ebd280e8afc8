#pragma once
// The results table of "kelvorad calc" kept for a workbook, and the workbook saved.

#include <string>
#include <string_view>

#include "results_table.h"

namespace kelvorad {

// Appends LF-ended lines of TAB-separated fields to the results table.
void appendTableLines(ResultsTable& table, std::string_view lines);

// Saves the results table as a new workbook at `path`, replaced whole (no rows of an older,
// longer table survive). Returns the problem, naming `path`, or "".
std::string saveResultsWorkbook(const ResultsTable& table, const std::string& path);

}  // namespace kelvorad
