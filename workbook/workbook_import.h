#pragma once
// Reading a workbook file of any of the supported kinds in the calling process. The program
// itself never calls this: it reads workbooks through the workbook reader's own process
// (workbook_reader.h), which calls it. The entry points per kind are in zip_workbook_import.h
// (.xlsx, .ods) and xls_import.h (.xls).

#include <filesystem>

#include "result.h"
#include "workbook_data.h"

namespace kelvorad {

// Reads an .xlsx, .xls or .ods file, telling the kind from the content rather than from the
// name. A missing, unreadable, unknown, malformed or oversized (above 256 MiB) file gives a
// failure whose message names the file and the reason. Every text read is valid UTF-8 without
// NUL characters: what is not is shown as U+FFFD (see readableText).
Result<WorkbookData> importWorkbookFile(const std::filesystem::path& path);

}  // namespace kelvorad
