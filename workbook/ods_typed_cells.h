#pragma once
// The boolean and time cells of an OpenDocument spreadsheet. The .ods cell reader skips
// cells of these two value types; they are found here in content.xml instead.

#include <string_view>
#include <vector>

#include "workbook_data.h"

namespace kelvorad {

struct PlacedCell {
    std::size_t sheet = 0;  // index of the table in document order
    CellAddress address;
    CellValue value;
};

// Every boolean cell ("TRUE"/"FALSE") and time cell (ISO time text, see date_text.h) of the
// package's content.xml, with repeated rows and columns spread out. At most 100000 cells are
// given; a package that cannot be read gives none.
std::vector<PlacedCell> booleanAndTimeCellsOfOpenDocument(std::string_view package);

}  // namespace kelvorad
