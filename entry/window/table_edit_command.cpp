#include "table_edit_command.h"

namespace kelvorad {

namespace {
// QUndoStack merges only commands with the same id; block commands never merge (-1).
constexpr int kTypingId = 1;
}  // namespace

TableEditCommand::TableEditCommand(const QString& text, Kind kind, TableChange change,
                                   AnalysisTable& table, std::function<void()> show)
    : QUndoCommand(text),
      kind_(kind),
      change_(std::move(change)),
      table_(table),
      show_(std::move(show)) {}

void TableEditCommand::undo() {
    change_.undo(table_);
    show_();
}

void TableEditCommand::redo() {
    if (made_) {
        made_ = false;
        return;
    }
    change_.redo(table_);
    show_();
}

int TableEditCommand::id() const {
    return kind_ == Kind::Typing ? kTypingId : -1;
}

// Typing goes on in the same cell: one step. Typed away again, the step undoes nothing and
// leaves the history.
bool TableEditCommand::mergeWith(const QUndoCommand* other) {
    const auto* later = static_cast<const TableEditCommand*>(other);
    const auto cell = change_.onlyCell();
    if (!cell || later->kind_ != Kind::Typing || later->change_.onlyCell() != cell) return false;
    if (!change_.absorb(later->change_)) return false;
    setObsolete(change_.isEmpty());
    return true;
}

}  // namespace kelvorad
