#pragma once
// The function the workbook file library exports, by the name the program looks it up with.
// Paths are UTF-8; a false result leaves the reason in `error`.

#include <string>

#include "workbook_data.h"

#define KELVORAD_WORKBOOK_FILES_EXPORT __attribute__((visibility("default")))

extern "C" {
using KelvoradWriteXlsxFile = bool(const kelvorad::WorkbookData* workbook, const char* target,
                                   std::string* error);
}

inline constexpr const char* kWriteXlsxFileSymbol = "kelvorad_write_xlsx_file";
