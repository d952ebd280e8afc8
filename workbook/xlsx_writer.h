#pragma once
// Saving a workbook as an .xlsx file through libxlsxwriter, atomically.

#include <filesystem>

#include "result.h"
#include "workbook_data.h"

namespace kelvorad {

// Writes every sheet of `workbook` to `target` as .xlsx: Text cells as strings, Number cells
// as numbers, Boolean cells as booleans, dates and times as numbers with a date format
// ("yyyy-mm-dd", "hh:mm:ss", "yyyy-mm-dd hh:mm:ss"); a cell's fill as a solid background
// (dates and times keep their number format and no fill); the active sheet stays active. Sheet
// names that an .xlsx file cannot hold (too long, with []:*?/\ or repeated) are adjusted.
// The target is written as an AtomicFile: a regular file is replaced whole or left as it was;
// a link is followed, a device written directly, a read-only file refused. Numbers are written
// with "." whatever the process locale. A failure (folder not writable, disk full) gives a
// message naming the target and the reason, and leaves no temporary file behind.
Status writeXlsxFile(const WorkbookData& workbook, const std::filesystem::path& target);

}  // namespace kelvorad
