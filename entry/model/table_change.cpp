#include "table_change.h"

#include <algorithm>

namespace kelvorad {

TableChange TableChange::between(const AnalysisTable& before, const AnalysisTable& after) {
    TableChange change;
    change.cursorBefore_ = cursorOf(before);
    change.cursorAfter_ = cursorOf(after);
    if (before.rowCount() != after.rowCount() || before.columnCount() != after.columnCount()) {
        change.wholeBefore_ = before;
        change.wholeAfter_ = after;
        return change;
    }
    for (int r = 0; r < before.rowCount(); ++r) {
        for (int c = 0; c < before.columnCount(); ++c) {
            if (before.text(r, c) != after.text(r, c)) {
                change.cells_.push_back({r, c, before.text(r, c), after.text(r, c)});
            }
        }
    }
    return change;
}

bool TableChange::isEmpty() const {
    return !wholeBefore_ && std::all_of(cells_.begin(), cells_.end(), [](const CellEdit& edit) {
        return edit.before == edit.after;
    });
}

std::optional<std::pair<int, int>> TableChange::onlyCell() const {
    if (wholeBefore_ || cells_.size() != 1) return std::nullopt;
    return std::make_pair(cells_.front().row, cells_.front().column);
}

void TableChange::undo(AnalysisTable& table) const {
    if (wholeBefore_) {
        table = *wholeBefore_;
    } else {
        for (const CellEdit& edit : cells_) table.setText(edit.row, edit.column, edit.before);
    }
    moveCursor(table, cursorBefore_);
}

void TableChange::redo(AnalysisTable& table) const {
    if (wholeAfter_) {
        table = *wholeAfter_;
    } else {
        for (const CellEdit& edit : cells_) table.setText(edit.row, edit.column, edit.after);
    }
    moveCursor(table, cursorAfter_);
}

bool TableChange::absorb(const TableChange& later) {
    if (wholeBefore_ || later.wholeBefore_) return false;
    for (const CellEdit& edit : later.cells_) {
        auto same = std::find_if(cells_.begin(), cells_.end(), [&](const CellEdit& mine) {
            return mine.row == edit.row && mine.column == edit.column;
        });
        if (same != cells_.end()) {
            same->after = edit.after;
        } else {
            cells_.push_back(edit);
        }
    }
    cursorAfter_ = later.cursorAfter_;
    return true;
}

TableChange::Cursor TableChange::cursorOf(const TextGrid& table) {
    return {table.row(), table.column(), table.selectionEndRow(), table.selectionEndColumn()};
}

void TableChange::moveCursor(AnalysisTable& table, const Cursor& cursor) {
    table.setCurrent(cursor.row, cursor.column);
    table.setSelectionEnd(cursor.selectionEndRow, cursor.selectionEndColumn);
}

}  // namespace kelvorad
