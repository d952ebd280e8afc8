#pragma once
// Reading .xls workbooks (Excel 97-2003 binary files) through libfreexl.

#include <filesystem>
#include <string_view>

#include "result.h"
#include "workbook_data.h"

namespace kelvorad {

// Reads every worksheet of an .xls file into cells, with the same texts as the .xlsx reader:
// numbers in general format, dates and times in the ISO forms of date_text.h. The active
// sheet is the workbook's current tab (the first worksheet when that cannot be told).
// `content` is the file's whole content, read by the caller; the .xls library reads the file
// at `path` itself. A malformed, truncated or encrypted file gives a failure with the reason
// (without the file name, which the caller adds). The .xls library is not safe on damaged files
// (a crafted file makes it read or write outside its buffers): the program calls this only in
// the workbook reader's own process (workbook_reader.h).
Result<WorkbookData> importXlsWorkbook(const std::filesystem::path& path, std::string_view content);

}  // namespace kelvorad
