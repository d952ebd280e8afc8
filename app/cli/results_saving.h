#pragma once
// The results table of "kelvorad calc" kept for a workbook, and the workbook saved.

#include <string>
#include <string_view>

#include "results_table.h"
#include "run_record.h"

namespace kelvorad {

// Appends LF-ended lines of TAB-separated fields to the results table.
void appendTableLines(ResultsTable& table, std::string_view lines);

// Saves the results table as a new workbook at `path` (a temporary workbook beside it renamed
// over it, so no rows of an older, longer table survive), with the run's record on its sheet
// "Run". Returns the problem, or "" (a path that is a device or pipe is refused, never replaced).
std::string saveResultsWorkbook(const ResultsTable& table, const RunRecord& record,
                                const std::string& path);

}  // namespace kelvorad
