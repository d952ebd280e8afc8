#pragma once
// What a workbook of results holds besides the table's cells: the marks of the results rows
// as cell fills on the first sheet, and the record of every run on the sheet "Run".

#include <filesystem>
#include <vector>

#include "results_table.h"
#include "run_record.h"
#include "spreadsheet_application.h"

namespace kelvorad {

inline constexpr std::string_view kRunSheetName = "Run";

// Gives the cells of every results row of `table` (worksheet row r + 1, from column 1 to its
// last non-empty column) the tint of the row's marks, and takes the fill off unmarked rows.
Status putRowMarks(const ResultsTable& table, Worksheet& sheet);

// Rewrites the sheet "Run" (added when missing): one block per run, a title line "Run n"
// and then one line per field of the record (label in column A, value in column B), an
// empty line between blocks.
Status putRunRecords(const std::vector<RunRecord>& runs, Workbook& workbook);

// The results table, its marks and the run records into a workbook file created afresh at
// `file`, saved as .xlsx. Returns the first failure.
Status writeResultsWorkbookFile(const ResultsTable& table, const std::vector<RunRecord>& runs,
                                const std::filesystem::path& file);

}  // namespace kelvorad
