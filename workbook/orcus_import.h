#pragma once
// Reading the cells of .xlsx and .ods packages through liborcus. The package given here has
// passed the checks of zip_workbook_import.h and is stored without compression.

#include <optional>
#include <string_view>

#include "result.h"
#include "workbook_data.h"

namespace kelvorad {

enum class ZipWorkbookFormat { Xlsx, Ods };

// The kind of workbook a zip file holds, as liborcus tells it; nullopt for neither.
std::optional<ZipWorkbookFormat> detectZipWorkbook(std::string_view zipFile);

// Reads every sheet of the package into cells. Numbers become their general text
// (formatNumber), booleans "TRUE"/"FALSE", dates and times the ISO texts of date_text.h,
// formula cells the result stored with them. Inline-string cells of .xlsx, and boolean and
// time cells and the repeats of repeated rows of .ods, are left for the caller. A package the
// reader refuses, or one of more than 4000000 cells, gives a failure with the reason (without
// the file name, which the caller adds).
Result<WorkbookData> readCellsWithOrcus(std::string_view zipFile, ZipWorkbookFormat format);

}  // namespace kelvorad
