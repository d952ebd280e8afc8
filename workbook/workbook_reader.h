#pragma once
// Reading a workbook file of any of the supported kinds into memory.

#include <filesystem>
#include <optional>

#include "result.h"
#include "workbook_data.h"

namespace kelvorad {

// Reads an .xlsx, .xls or .ods file, telling the kind from the content rather than from the
// name. A missing, unreadable, unknown, malformed or oversized (above 256 MiB) file gives a
// failure whose message names the file and the reason.
Result<WorkbookData> readWorkbookFile(const std::filesystem::path& path);

// The kind of workbook a file holds, by its first bytes; nullopt when it is none of them or
// cannot be read.
std::optional<WorkbookFormat> detectWorkbookFormat(const std::filesystem::path& path);

}  // namespace kelvorad
