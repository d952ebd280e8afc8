#pragma once
// One change of the analysis table as the undo history keeps it: what the table held before
// and after, with its current cell and selection. When the table kept its counts only the
// cells that differ are kept; a change of counts (a row inserted or removed) keeps both
// tables whole.

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "analysis_table.h"

namespace kelvorad {

class TableChange {
  public:
    // The change that turned `before` into `after`.
    static TableChange between(const AnalysisTable& before, const AnalysisTable& after);

    // True when no cell text and no count changed (a move of the current cell alone).
    bool isEmpty() const;
    // The cell (row, column) when the change is the new text of that one cell.
    std::optional<std::pair<int, int>> onlyCell() const;

    // Puts the table back as it was before, or forward as it was after; both move the
    // current cell and the selection back to where they were.
    void undo(AnalysisTable& table) const;
    void redo(AnalysisTable& table) const;

    // Makes this change also do `later`, which must follow it directly. Two changes of cell
    // texts in the same counts combine cell by cell; false (and nothing changes) otherwise.
    bool absorb(const TableChange& later);

  private:
    struct CellEdit {
        int row;
        int column;
        std::string before;
        std::string after;
    };
    struct Cursor {
        int row = 0;
        int column = 0;
        int selectionEndRow = 0;
        int selectionEndColumn = 0;
    };
    static Cursor cursorOf(const TextGrid& table);
    static void moveCursor(AnalysisTable& table, const Cursor& cursor);

    std::vector<CellEdit> cells_;
    std::optional<AnalysisTable> wholeBefore_;
    std::optional<AnalysisTable> wholeAfter_;
    Cursor cursorBefore_;
    Cursor cursorAfter_;
};

}  // namespace kelvorad
