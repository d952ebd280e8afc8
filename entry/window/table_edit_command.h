#pragma once
// One step of the main window's undo history: a change of the analysis table, undone and
// redone on the table and then shown. Successive typing into one cell merges into one step.

#include <QUndoCommand>
#include <functional>

#include "table_change.h"

namespace kelvorad {

class TableEditCommand : public QUndoCommand {
  public:
    enum class Kind { Block, Typing };

    // `change` has already been made: the stack's first redo, on push, leaves the table alone.
    // `show` shows the table after each later undo and redo. The table must outlive the
    // command.
    TableEditCommand(const QString& text, Kind kind, TableChange change, AnalysisTable& table,
                     std::function<void()> show);

    void undo() override;
    void redo() override;
    int id() const override;
    bool mergeWith(const QUndoCommand* other) override;

  private:
    Kind kind_;
    TableChange change_;
    AnalysisTable& table_;
    std::function<void()> show_;
    bool made_ = true;
};

}  // namespace kelvorad
