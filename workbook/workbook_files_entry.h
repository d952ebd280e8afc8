#pragma once
// The functions the workbook file library exports, by the names the program looks them up
// with. Paths are UTF-8; a false result leaves the reason in `error`.

#include <string>

#include "workbook_data.h"

#define KELVORAD_WORKBOOK_FILES_EXPORT __attribute__((visibility("default")))

extern "C" {
using KelvoradReadWorkbookFile = bool(const char* path, kelvorad::WorkbookData* workbook,
                                      std::string* error);
// The kind of workbook (a WorkbookFormat value), or -1 when the file holds none of them.
using KelvoradDetectWorkbookFormat = int(const char* path);
using KelvoradWriteXlsxFile = bool(const kelvorad::WorkbookData* workbook, const char* target,
                                   std::string* error);
}

inline constexpr const char* kReadWorkbookFileSymbol = "kelvorad_read_workbook_file";
inline constexpr const char* kDetectWorkbookFormatSymbol = "kelvorad_detect_workbook_format";
inline constexpr const char* kWriteXlsxFileSymbol = "kelvorad_write_xlsx_file";
