#pragma once
// Analysis cells that are not plain numbers. The engine reads every oxide cell as its leading
// decimal number (a decimal comma mended, anything else read as 0); this finds the cells where
// that rule had to do more than read a number, so that the window and the command line can
// say so.

#include <string>
#include <string_view>
#include <vector>

#include "analysis_pair.h"
#include "number_text.h"

namespace kelvorad {

// The header of analysis cell k (0 to 34, table column k + 1) as the analysis table shows it:
// "Sample [M]", "FeO [M]", "" for the spacer, "Sample [I]", "BaO [I]".
std::string pairCellHeader(int k);

// An oxide cell whose text, trimmed of blanks, is not a plain decimal number, or is one
// written with a decimal comma.
struct CellNotice {
    long row = 0;  // where the pair stands: a table row, or a line of a text file
    int cell = 0;  // analysis cell 0 to 34
    std::string text;
    CellNumber reading;
};

// True when an oxide cell's reading must be reported.
inline bool needsNotice(const CellNumber& reading) {
    return !reading.blank && (!reading.plain || reading.decimalComma);
}

// Appends a notice for each oxide cell of the pair at `row` (cells 1 to 16 and 19 to 34 through
// `cell(k)`) that needs one, in cell order. Sample names and the spacer are never numbers.
template <typename CellAt>
void findCellNotices(long row, CellAt&& cell, std::vector<CellNotice>& out) {
    for (int k = 0; k < kPairCellCount; ++k) {
        if (k == 0 || k == 17 || k == 18) continue;
        const std::string_view text = cell(k);
        const CellNumber reading = readCellNumber(text);
        if (needsNotice(reading)) out.push_back({row, k, std::string(text), reading});
    }
}

// The notices of every pair among rows firstRow to lastRow of a table-like source, skipping
// rows whose 35 analysis cells are all blank as the calculation run does. `cellAt(row, k)`
// gives analysis cell k of a row.
template <typename CellAt>
std::vector<CellNotice> findTableCellNotices(int firstRow, int lastRow, CellAt&& cellAt) {
    std::vector<CellNotice> notices;
    for (int r = firstRow; r <= lastRow; ++r) {
        auto cell = [&](int k) -> std::string_view { return cellAt(r, k); };
        if (!isBlankPairRow(cell)) findCellNotices(r, cell, notices);
    }
    return notices;
}

// One line for a notice: `row 3, FeO [M]: "46,45" read as 46.45 with a decimal comma`,
// `line 7, MnO [I]: "n.d." is not a number, read as 0`. `where` names the kind of position
// ("row" or "line").
std::string describeCellNotice(const CellNotice& notice, std::string_view where);

}  // namespace kelvorad
