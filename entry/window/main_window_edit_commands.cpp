// The Edit menu's commands on the analysis table (also the table's right-button menu and
// toolbar buttons 7 to 11). The work is the document's; here each change becomes one step of
// the undo history, and the table is shown again.
#include <QUndoStack>

#include "main_window.h"
#include "main_window_actions.h"
#include "table_edit_command.h"
#include "text_grid_view.h"

namespace kelvorad {

void MainWindow::recordTableChange(const std::string& text, const AnalysisTable& before) {
    pushTableChange(text, before, false);
}

// The change from `before` to the table as it is now joins the history; a move of the current
// cell alone is no step. Typing shows its own cell; other changes show the whole table.
void MainWindow::pushTableChange(const std::string& text, const AnalysisTable& before,
                                 bool typing) {
    TableChange change = TableChange::between(before, document_.table());
    if (!typing) table_->showTable();
    if (change.isEmpty()) return;
    using Kind = TableEditCommand::Kind;
    undoStack_->push(new TableEditCommand(QString::fromStdString(text),
                                          typing ? Kind::Typing : Kind::Block, std::move(change),
                                          document_.table(), [this] { table_->showTable(); }));
}

bool MainWindow::typeIntoTable(char32_t code) {
    AnalysisTable& table = document_.table();
    const AnalysisTable before = table;
    if (!table.typeKey(code)) return false;
    pushTableChange("Typing", before, true);
    return true;
}

bool MainWindow::writeIntoCurrentCell(const std::string& text) {
    const AnalysisTable before = document_.table();
    if (!document_.setCurrentCellText(text)) return false;
    pushTableChange("Typing", before, true);
    return true;
}

void MainWindow::undo() {
    if (actions_->undo->isEnabled()) undoStack_->undo();
}

void MainWindow::redo() {
    if (actions_->redo->isEnabled()) undoStack_->redo();
}

void MainWindow::updateUndoActions() {
    Actions& a = *actions_;
    a.undo->setEnabled(tableEditable_ && undoStack_->canUndo());
    a.redo->setEnabled(tableEditable_ && undoStack_->canRedo());
    const QString undoText = undoStack_->undoText();
    const QString redoText = undoStack_->redoText();
    a.undo->setText(undoText.isEmpty() ? "Undo" : "Undo " + undoText);
    a.redo->setText(redoText.isEmpty() ? "Redo" : "Redo " + redoText);
}

void MainWindow::clearAll() {
    const AnalysisTable before = document_.table();
    document_.table().clearTable();
    recordTableChange("Clear All", before);
}

void MainWindow::removeRow() {
    const AnalysisTable before = document_.table();
    if (document_.removeCurrentRow()) recordTableChange("Remove Row", before);
}

void MainWindow::insertRow() {
    const AnalysisTable before = document_.table();
    if (document_.insertRowAtCurrent()) recordTableChange("Insert Row", before);
}

void MainWindow::cut() {
    cutCommand();
}
void MainWindow::copy() {
    copyCommand();
}
void MainWindow::paste() {
    pasteCommand();
}

Status MainWindow::cutCommand() {
    const AnalysisTable before = document_.table();
    Status cut = document_.cut(desktop_.clipboard);
    recordTableChange("Cut", before);
    return cut;
}

Status MainWindow::copyCommand() {
    return document_.copy(desktop_.clipboard);
}

Status MainWindow::pasteCommand() {
    const AnalysisTable before = document_.table();
    Status pasted = document_.paste(desktop_.clipboard);
    recordTableChange("Paste", before);
    return pasted;
}

void MainWindow::deleteSelection() {
    const AnalysisTable before = document_.table();
    document_.deleteSelection();
    recordTableChange("Delete", before);
}

// The table stops repainting while the selection changes, then shows row 1 at the top.
void MainWindow::selectAll() {
    table_->setUpdatesEnabled(false);
    document_.selectAll();
    table_->showTable();
    table_->scrollToFirstRow();
    table_->setUpdatesEnabled(true);
}

}  // namespace kelvorad
