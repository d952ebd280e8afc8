#pragma once
// The properties every workbook a reader gives must have, whatever the file held.

#include "fuzz_check.h"
#include "known_faults.h"
#include "orcus_import.h"
#include "workbook_data.h"
#include "zip_workbook_import.h"

namespace kelvorad::fuzz {

inline void requireSoundWorkbook(const WorkbookData& workbook) {
    require(!workbook.sheets.empty(), "a workbook read holds a sheet");
    require(workbook.activeSheet < workbook.sheets.size(), "the active sheet exists");
    for (const SheetData& sheet : workbook.sheets) {
        for (const auto& [address, cell] : sheet.cells) {
            require(address.row >= 1 && address.row <= kMaxSheetRows && address.column >= 1 &&
                        address.column <= kMaxSheetColumns,
                    "every cell lies inside the sheet");
            require(cell.kind != CellKind::Empty, "only cells with content are kept");
        }
    }
}

// One run of the .xlsx or .ods harness.
inline int readZipWorkbookOnce(std::string_view content, ZipWorkbookFormat format) {
    if (reachesKnownZipFault(content)) return -1;
    const auto workbook = importZipWorkbook(content, format);
    if (workbook) requireSoundWorkbook(workbook.value());
    return 0;
}

}  // namespace kelvorad::fuzz
