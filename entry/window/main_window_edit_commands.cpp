// The Edit menu's commands on the analysis table (also the table's right-button menu and
// toolbar buttons 7 to 11). The work is the document's; here the table is shown again.
#include "main_window.h"
#include "text_grid_view.h"

namespace kelvorad {

void MainWindow::clearAll() {
    document_.table().clearTable();
    table_->showTable();
}

void MainWindow::removeRow() {
    if (document_.removeCurrentRow()) table_->showTable();
}

void MainWindow::insertRow() {
    if (document_.insertRowAtCurrent()) table_->showTable();
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
    Status cut = document_.cut(desktop_.clipboard);
    table_->showTable();
    return cut;
}

Status MainWindow::copyCommand() {
    return document_.copy(desktop_.clipboard);
}

Status MainWindow::pasteCommand() {
    Status pasted = document_.paste(desktop_.clipboard);
    table_->showTable();
    return pasted;
}

void MainWindow::deleteSelection() {
    document_.deleteSelection();
    table_->showTable();
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
