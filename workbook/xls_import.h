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
// The .xls library runs in a child process, since damaged files can make it write outside its
// buffers; a malformed, truncated, encrypted or hostile file gives a failure with the reason
// (without the file name, which the caller adds). `content` is the file's whole content, read by
// the caller.
Result<WorkbookData> importXlsWorkbook(const std::filesystem::path& path, std::string_view content);

// The same reading in the calling process, without the child: for the fuzz harnesses, which
// must see the faults the child process contains.
Result<WorkbookData> readXlsWorkbookInProcess(const std::filesystem::path& path,
                                              std::string_view content);

}  // namespace kelvorad
