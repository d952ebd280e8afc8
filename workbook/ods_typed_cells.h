#pragma once
// What the .ods cell reader misses in an OpenDocument spreadsheet's content.xml: cells of the
// boolean and time value types, which it skips, and rows stored once with a repeat count
// ("table:number-rows-repeated"), whose cells it reads for the first of the rows only.

#include <string_view>
#include <vector>

#include "workbook_data.h"

namespace kelvorad {

// A row that stands for `count` rows: row `row` (from 1) and the count - 1 rows below it.
struct RepeatedRow {
    std::size_t sheet = 0;  // index of the table in document order
    int row = 1;
    int count = 1;
};

struct OpenDocumentExtras {
    // Every boolean cell ("TRUE"/"FALSE") and time cell (ISO time text, see date_text.h), with
    // repeated rows and columns spread out; at most 100000 of them.
    std::vector<PlacedCell> typedCells;
    // Every row repeated more than once, the repeats reaching at most to the sheet's last row.
    std::vector<RepeatedRow> repeatedRows;
};

// What content.xml (its text) holds of the above; nothing when it cannot be read as XML.
OpenDocumentExtras extrasOfOpenDocument(std::string_view contentXml);

}  // namespace kelvorad
