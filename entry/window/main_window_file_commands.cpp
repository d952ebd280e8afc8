// The File menu's commands: New File, Open File, Save As, Close and Exit, each running its
// steps in order; and the unsaved-change question that guards the table's data.
#include <QAction>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QStatusBar>
#include <QUndoStack>
#include <filesystem>

#include "error_report.h"
#include "main_window.h"
#include "main_window_actions.h"
#include "text_grid_view.h"

namespace kelvorad {

namespace {
using B = MainToolbarButton;

// The side file New File writes, in the working folder.
constexpr const char* kNewFileCopy = "mi.tem";
}  // namespace

void MainWindow::newFile() {
    if (!askToSaveChanges()) return;
    Actions& a = *actions_;
    setScreenTitle("New  File");
    loadWorkbookButton_->hide();
    editWorkbookButton_->hide();
    a.openExcel->menuAction()->setEnabled(true);
    document_.table().clearTable();
    table_->showTable();
    table_->setMinimumRowHeight(cellEditor_->sizeHint().height());
    startUpPanel_->hide();
    setToolbarEnabled({B::Save, B::Close, B::Cut, B::Copy, B::Paste, B::Delete, B::SelectAll},
                      true);
    setFileStatus("New File");
    banner_->show();
    a.close->setEnabled(true);
    a.saveAs->setEnabled(true);
    table_->show();
    cellEditor_->show();
    a.clear->setEnabled(true);
    a.removeRow->setEnabled(true);
    setEditMenuEnabled(true);
    capCell();
    const FileResult written = writeAnalysisFile(document_.table(), kNewFileCopy);
    table_->showTable();
    document_.markClean();
    undoStack_->clear();
    tableFile_.clear();
    noteTableChange();
    if (!written.ok()) reportFileFailure(written);
}

std::string MainWindow::askForAnalysisFileName() {
    std::string name = desktop_.dialogs.askOpenFileName("Open File", kOpenAnalysisFilter);
    if (!name.empty()) dialogFileName_ = name;
    return name;
}

// A cancelled dialog, or Cancel to the unsaved-change question, leaves everything as it was.
void MainWindow::openFile() {
    const std::string previousTitle = screenTitle();
    setScreenTitle("Open  File");
    const std::string name = askForAnalysisFileName();
    if (name.empty() || !askToSaveChanges()) {
        setScreenTitle(previousTitle);
        return;
    }
    openFileNamed(name);
}

void MainWindow::openFileNamed(const std::string& path) {
    Actions& a = *actions_;
    setScreenTitle("Open  File");
    setEditMenuEnabled(true);
    setToolbarEnabled({B::Save, B::Cut, B::Copy, B::Paste, B::Delete, B::SelectAll}, true);
    startUpPanel_->hide();
    showPictures();
    setToolbarEnabled({B::Close}, true);
    table_->show();
    document_.setFileName(path);
    dialogFileName_ = path;  // a file named on the command line counts as chosen in the dialog
    cellEditor_->show();
    statusPanels_[0]->setEnabled(true);
    setOpenFileToCalculateChecked(true);
    banner_->show();
    for (QAction* action : {a.close, a.clear, a.removeRow, a.saveAs}) action->setEnabled(true);
    setFileStatus(path);
    capCell();
    std::error_code error;
    if (std::filesystem::exists(path, error)) {
        a.loadXls->setEnabled(false);
        a.loadXlsx->setEnabled(false);
    }
    const FileResult read = document_.open(path);
    tableFile_ = path;
    table_->showTable();
    undoStack_->clear();
    noteTableChange();
    if (read.ok()) rememberAnalysisFile(path);
    if (!read.ok()) reportFileFailure(read);
    setScreenTitle("Data Entry Screen");
    setToolbarEnabled({B::LoadXls, B::LoadXlsx}, false);
}

void MainWindow::openRecentFile(const std::string& path) {
    if (!askToSaveChanges()) return;
    openFileNamed(path);
}

void MainWindow::saveAs() {
    setScreenTitle("Save As");
    showPictures();
    const std::string name = desktop_.dialogs.askSaveFileName("Save As", kSaveAnalysisFilter);
    if (!name.empty()) dialogFileName_ = name;
    table_->show();
    cellEditor_->show();
    statusBar()->show();
    statusPanels_[0]->setText(QString::fromStdString(name));
    if (name.empty()) return;
    writeAnalysisFileTo(name);
}

void MainWindow::closeFile() {
    Actions& a = *actions_;
    setScreenTitle("Start-up Screen");
    startUpPanel_->show();
    setToolbarEnabled({B::Save, B::Cut, B::Copy, B::Paste, B::Delete, B::SelectAll, B::Close},
                      false);
    banner_->show();
    table_->hide();
    cellEditor_->hide();
    a.clear->setEnabled(false);
    a.insertRow->setEnabled(false);
    a.removeRow->setEnabled(false);
    loadWorkbookButton_->hide();
    editWorkbookButton_->hide();
    setEditMenuEnabled(false);
    a.loadXls->setEnabled(true);
    a.loadXlsx->setEnabled(true);
    setToolbarEnabled({B::LoadXls, B::LoadXlsx}, true);
    a.saveAs->setEnabled(false);
    a.close->setEnabled(false);
}

void MainWindow::exitProgram() {
    close();
}

bool MainWindow::askToSaveChanges() {
    if (!document_.hasUnsavedChanges()) return true;
    switch (
        desktop_.messages.askYesNoCancel(kMessageTitle, "Save changes to the analysis table?")) {
        case MessageBoxes::Answer::Yes:
            return saveWithDialog();
        case MessageBoxes::Answer::No:
            return true;
        case MessageBoxes::Answer::Cancel:
            break;
    }
    return false;
}

bool MainWindow::saveWithDialog() {
    const std::string name = desktop_.dialogs.askSaveFileName("Save As", kSaveAnalysisFilter);
    if (name.empty()) return false;
    dialogFileName_ = name;
    return writeAnalysisFileTo(name);
}

// Saves the table and tells the user what did not go as asked: a failure, naming the file and
// the reason, or the number of cells whose text the file format made it change.
bool MainWindow::writeAnalysisFileTo(const std::string& path) {
    const FileResult written = document_.save(path);
    table_->showTable();
    if (!written.ok()) {
        reportFileFailure(written);
        return false;
    }
    undoStack_->setClean();
    tableFile_ = path;
    noteTableChange();
    rememberAnalysisFile(path);
    if (written.cellsChanged > 0) {
        desktop_.messages.showMessage(
            kMessageTitle,
            "Saved \"" + path + "\", changing " + std::to_string(written.cellsChanged) +
                (written.cellsChanged == 1 ? " cell" : " cells") +
                ": an analysis file cannot hold a double quote, a TAB or a line break inside a "
                "cell, so each double quote was saved as two apostrophes and each TAB or line "
                "break as a blank.");
    }
    return true;
}

void MainWindow::reportFileFailure(const FileResult& result) {
    const auto title = errorReportMessage(result.status);
    desktop_.messages.showMessage(title ? std::string(*title) : std::string(kMessageTitle),
                                  result.error());
}

}  // namespace kelvorad
