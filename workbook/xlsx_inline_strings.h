#pragma once
// The inline-string cells of an .xlsx workbook (<c t="inlineStr"><is><t>...</t></is></c>), as
// streaming writers store texts instead of in the shared-string table. The .xlsx cell reader
// skips them; they are found here in the worksheet parts instead.

#include <vector>

#include "workbook_data.h"
#include "zip_guard.h"

namespace kelvorad {

// Every inline-string cell of every worksheet of the unpacked package, sheets numbered in the
// workbook's tab order. The text is the cell's plain text or its rich-text runs joined
// (phonetic runs left out), with the "_xHHHH_" escapes decoded; empty texts are left out. A
// part that cannot be found or read gives no cells.
std::vector<PlacedCell> inlineStringCellsOfXlsx(const ZipPackage& package);

}  // namespace kelvorad
