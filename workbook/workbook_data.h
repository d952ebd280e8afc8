#pragma once
// The in-memory content of a workbook: its sheets in tab order, each a sparse set of cells
// addressed by 1-based row and column, and which sheet is the active tab.

#include <compare>
#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace kelvorad {

// The largest sheet an .xlsx file can hold; cells outside are ignored on reading and refused
// on writing.
inline constexpr int kMaxSheetRows = 1048576;
inline constexpr int kMaxSheetColumns = 16384;
// Beyond this many cells a workbook is refused: it could only be a hostile file, and the cells
// would exhaust memory long before anyone could look at them.
inline constexpr std::size_t kMaxWorkbookCells = 4'000'000;

enum class CellKind { Empty, Text, Number, Boolean, Date, Time, DateTime };

// The kinds of workbook file the component reads; it writes only .xlsx.
enum class WorkbookFormat { Xlsx, Xls, Ods };

struct CellValue {
    CellKind kind = CellKind::Empty;
    // What a reader of the cell gets: the text as a spreadsheet shows it in general format.
    std::string text;
    // Number: the value. Boolean: 1 or 0. Date, Time, DateTime: the serial day number
    // counted from 1899-12-30 (the 1900 date system of .xlsx files).
    double number = 0.0;
    // Background fill as 0xRRGGBB; 0 for none. A cell may carry a fill and no value.
    std::uint32_t fillRgb = 0;
};

struct CellAddress {
    int row = 1;
    int column = 1;
    auto operator<=>(const CellAddress&) const = default;
};

struct SheetData {
    std::string name;
    std::map<CellAddress, CellValue> cells;  // only non-empty or filled cells, in row order
};

// A cell found by a reader of its own beside the spreadsheet reader, with the sheet it is on.
struct PlacedCell {
    std::size_t sheet = 0;  // index of the sheet in tab order
    CellAddress address;
    CellValue value;
};

struct WorkbookData {
    std::vector<SheetData> sheets;
    std::size_t activeSheet = 0;                   // index into sheets
    WorkbookFormat format = WorkbookFormat::Xlsx;  // the kind of file it was read from
};

// True when row and column lie inside the largest sheet (both from 1).
inline bool isInsideSheet(int row, int column) {
    return row >= 1 && row <= kMaxSheetRows && column >= 1 && column <= kMaxSheetColumns;
}

}  // namespace kelvorad
