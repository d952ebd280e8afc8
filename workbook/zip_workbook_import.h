#pragma once
// Reading an .xlsx or .ods file in the calling process: the one place where a zip workbook's
// content goes from bytes to cells, with every check on the way.

#include <optional>
#include <string_view>

#include "orcus_import.h"
#include "result.h"
#include "workbook_data.h"

namespace kelvorad {

// Reads the whole content of an .xlsx or .ods file:
// 1. the package is checked and unpacked once (zip_guard.h);
// 2. in every XML part, character references that name no character become U+FFFD, and a
//    part that ends early makes the file damaged (xml_part_checks.h);
// 3. the cells are read through liborcus (orcus_import.h), then what it misses is added:
//    .xlsx inline strings, .ods boolean and time cells, repeated rows and the active table.
// A file of another kind than `expected` (when given), or a damaged, hostile or oversized one,
// gives a failure with the reason, without the file name, which the caller adds.
Result<WorkbookData> importZipWorkbook(std::string_view content,
                                       std::optional<ZipWorkbookFormat> expected = std::nullopt);

}  // namespace kelvorad
