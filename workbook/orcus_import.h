#pragma once
// Reading .xlsx and .ods workbooks (zip packages of XML parts) through liborcus.

#include <string_view>

#include "result.h"
#include "workbook_data.h"

namespace kelvorad {

enum class ZipWorkbookFormat { Xlsx, Ods };

// Reads the whole content of an .xlsx or .ods file into cells. Numbers become their general
// text (formatNumber), booleans "TRUE"/"FALSE", dates and times the ISO texts of date_text.h,
// formula cells the result stored with them. A malformed, truncated or oversized package
// gives a failure with the reason (without the file name, which the caller adds).
Result<WorkbookData> importZipWorkbook(std::string_view content, ZipWorkbookFormat format);

}  // namespace kelvorad
