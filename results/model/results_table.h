#pragma once
// The results table: 211 columns of text, row 0 the column numbers, row 1 the header texts,
// then one results row per calculated pair. Row 1 is an ordinary row that can be selected,
// copied and edited like the results below it.

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "cell_alignment.h"
#include "text_grid.h"

namespace kelvorad {

// What a column holds, which sets how many decimals the window shows of it. The data (the
// table's texts, Copy, the workbook, every file) always keep all 15 significant digits.
enum class ColumnKind {
    Text,         // sample names, the test verdict, the model status, spacers
    Oxide,        // wt%: 2 decimals
    Cation,       // cations per formula unit, oxygen-basis factors: 4 decimals
    Fraction,     // mole fractions, mole per cent, activities: 4 decimals
    Temperature,  // degrees Celsius: 1 decimal
    LogFO2,       // log fO2: 2 decimals
    BufferDelta,  // log units from a buffer (DeltaNNO): 2 decimals
};

// Decimals shown for a kind; nullopt for Text, which is shown as it is.
std::optional<int> displayDecimals(ColumnKind kind);

// The text a cell shows: a cell that reads wholly as a number, rounded to its column's
// decimals; any other text (empty, words, edited text) as it is.
std::string displayText(std::string_view text, ColumnKind kind);

struct ResultsColumn {
    std::string_view header;  // row-1 text
    int widthTwips;           // 0: the grid's default width
    CellAlignment alignment;  // of the row-1 header cell
    bool wholeColumnCentred;  // columns 1 to 30 are centred as whole columns
};

class ResultsTable : public TextGrid {
  public:
    static constexpr int kColumns = 211;
    static constexpr int kHeaderRows = 2;
    static constexpr int kNumberedColumns = 146;  // row 0 numbers columns 1 to 146

    // A table holding only its two header rows, current cell (0, 0).
    ResultsTable();

    // Appends a results row from its TAB-separated fields, field k to column k.
    void appendResultsRow(std::string_view fields) { appendRow(fields); }

    // Enter (13) and Tab (9) move one row down the same column, and from the last row to row 1,
    // column 0. Any other code edits the current cell. Returns true if a cell's text changed.
    bool typeKey(char32_t code);

    // Selects every cell, the column-number row and column 0 included.
    void selectAll();

    // How a cell's text is aligned: row 0 centred; columns 1 to 30 centred as whole columns;
    // the row-1 headers of columns 0 and 31 to 133 as the column layout says (column 0 left,
    // column 45 right and top); everything else left and vertically centred.
    static CellAlignment cellAlignment(int row, int column);

    // Layout of the columns that carry a header (0 to 133); the rest have none.
    static const std::array<ResultsColumn, 134>& columns();
    // Row-1 headers of the columns a row has with the full Ghiorso and Evans (2008) model:
    // the model's group (135 to 140), a separator, the DeltaFMQ group (142 to 146).
    static const std::array<std::string_view, 12>& fullModelHeaders();
    static constexpr int kFullModelFirstColumn = 135;
    static bool isSpacerColumn(int column);
    // What a column holds; Text for columns without a kind (beyond the full model's group and
    // the uncertainty columns, which take the kind of their quantity).
    static ColumnKind columnKind(int column);

    // Numbers and heads the uncertainty columns of a Monte Carlo run (uncertainty_columns.h)
    // in rows 0 and 1, or, with false, leaves them blank.
    void showUncertaintyColumns(bool shown);
};

// The header rows as tab-separated text, every line `columns` fields wide and ended by LF: the
// form the command line writes; `uncertainty` adds the heads of the uncertainty columns.
std::string headerRowsAsText(int columns = ResultsTable::kColumns, bool uncertainty = false);

}  // namespace kelvorad
