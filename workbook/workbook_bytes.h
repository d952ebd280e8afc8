#pragma once
// A workbook's cells as one byte string, to hand them from a child process to the program.

#include <optional>
#include <string>
#include <string_view>

#include "workbook_data.h"

namespace kelvorad {

std::string encodeWorkbook(const WorkbookData& workbook);

// The workbook encoded in `bytes`; nullopt for bytes that are not such an encoding (cut short,
// cells outside the sheet, unknown kinds).
std::optional<WorkbookData> decodeWorkbook(std::string_view bytes);

}  // namespace kelvorad
