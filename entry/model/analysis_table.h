#pragma once
// The analysis table: 351 rows by 36 columns of text. Row 0 holds the headers, column 0 the
// row numbers, and rows 1 to 350 one analysis pair each: magnetite sample name (column 1),
// sixteen magnetite oxides in wt% (columns 2 to 17), a blank spacer (column 18), ilmenite
// sample name (column 19) and sixteen ilmenite oxides (columns 20 to 35). An ilmenite oxide
// always stands 18 columns to the right of the same magnetite oxide.

#include <array>
#include <string_view>

#include "cell_alignment.h"
#include "text_grid.h"

namespace kelvorad {

struct AnalysisColumn {
    std::string_view header;
    int widthTwips;  // 0: the designed width (column 0)
    CellAlignment alignment;
};

class AnalysisTable : public TextGrid {
  public:
    static constexpr int kRows = 351;
    static constexpr int kColumns = 36;
    static constexpr int kLastDataRow = 350;
    static constexpr int kLastColumn = 35;
    static constexpr int kMagnetiteSampleColumn = 1;
    static constexpr int kMagnetiteFirstOxideColumn = 2;
    static constexpr int kSpacerColumn = 18;
    static constexpr int kIlmeniteSampleColumn = 19;
    static constexpr int kIlmeniteFirstOxideColumn = 20;

    // A freshly laid-out table: counts, headers and row numbers, every data cell empty.
    AnalysisTable();

    // Lays the table out without clearing data: 351 rows by 36 columns, row numbers "1" to
    // "350" in column 0, "Row No" and the column headers in row 0. The current cell is left
    // at (0, 35).
    void layOutTable();

    // Empties every cell, headers and row numbers included, then lays the table out again.
    void clearTable();

    // Enter (13) and Tab (9) move to the next cell in reading order: one column right, or from
    // the last column to column 0 of the next row, and from the last row to column 0 of row 1.
    // Any other code edits the current cell (see TextGrid::typeIntoCurrentCell).
    // Returns true if a cell's text changed.
    bool typeKey(char32_t code);

    // Select (1, 1) to (row count - 1, column count - 1): the data area.
    void selectDataArea();

    static const std::array<AnalysisColumn, kColumns>& columns();
};

}  // namespace kelvorad
