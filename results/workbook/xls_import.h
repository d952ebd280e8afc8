#pragma once
// Reading .xls workbooks (Excel 97-2003 binary files) through libfreexl.

#include <filesystem>

#include "result.h"
#include "workbook_data.h"

namespace kelvorad {

// Reads every worksheet of an .xls file into cells, with the same texts as the .xlsx reader:
// numbers in general format, dates and times in the ISO forms of date_text.h. The .xls
// library cannot tell which tab was active, so the first worksheet counts as the active one.
// A malformed, truncated or encrypted file gives a failure with the reason (without the file
// name, which the caller adds).
Result<WorkbookData> importXlsWorkbook(const std::filesystem::path& path);

}  // namespace kelvorad
