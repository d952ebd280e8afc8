#pragma once
// The results table of "kelvorad calc" kept for a workbook, and the workbook saved.

#include <string>
#include <string_view>

#include "results_table.h"
#include "run_record.h"

namespace kelvorad {

// Appends LF-ended lines of TAB-separated fields to the results table.
void appendTableLines(ResultsTable& table, std::string_view lines);

// Saves the results table as a new workbook at `path`, with the run's record on its sheet "Run".
// The workbook is made new (no rows of an older, longer table survive) and put in place as any
// output file is (atomic_file.h): a regular file replaced whole or left as it was, a link
// followed, a device written. Returns the problem, naming `path`, or "".
std::string saveResultsWorkbook(const ResultsTable& table, const RunRecord& record,
                                const std::string& path);

}  // namespace kelvorad
