// The results window's commands: the Edit menu's table editing and the Excel menu's export,
// each running its steps in order and returning its outcome for the toolbar's error report.
#include <QAction>
#include <QCloseEvent>
#include <QLabel>
#include <QProgressBar>

#include "clipboard_text.h"
#include "error_report.h"
#include "program_settings.h"
#include "results_window.h"
#include "results_window_actions.h"
#include "results_workbook.h"
#include "text_grid_view.h"

namespace kelvorad {

Status ResultsWindow::copy() {
    if (!desktop_.clipboard.setText(table_.selectionText())) {
        return reportedFailure(ErrorKind::ClipboardUnavailable);
    }
    return {};
}

// A selection whose copy failed is not emptied, so no cell is lost.
Status ResultsWindow::cut() {
    Status copied = copy();
    if (!copied) return copied;
    deleteSelection();
    return {};
}

Status ResultsWindow::paste() {
    const std::optional<std::string> text = desktop_.clipboard.text();
    if (!text) return reportedFailure(ErrorKind::ClipboardUnavailable);
    if (text->empty()) return {};
    table_.putIntoSelection(clipboardTextForTable(*text));
    view_->showTable();
    return {};
}

void ResultsWindow::deleteSelection() {
    table_.emptySelection();
    view_->showTable();
}

// Every cell, the column-number row and column 0 included, with row 1 the top visible row.
void ResultsWindow::selectAll() {
    view_->setUpdatesEnabled(false);
    table_.selectAll();
    view_->showTable();
    view_->scrollToFirstRow();
    view_->setUpdatesEnabled(true);
}

void ResultsWindow::setProgressObserver(std::function<void(int)> observer) {
    progressObserver_ = std::move(observer);
}

// A value outside 0 to 50 is not taken: the bar keeps the value it had.
void ResultsWindow::setProgress(int value) {
    if (value >= progress_->minimum() && value <= progress_->maximum()) progress_->setValue(value);
    if (progressObserver_) progressObserver_(progress_->value());
}

// Copies every cell of the table, empty ones included, to worksheet 1 of Output.xlsx: cell
// (r, c) to worksheet cell (r + 1, c + 1), then the marks of the rows as cell fills and the
// record of every run on the sheet "Run". Nothing is saved here: the workbook is saved when the
// spreadsheet is shown. An empty link fails with ObjectRequired for the error report; any other
// failed cell is reported here once, with the component's reason, after the copy.
Status ResultsWindow::sendResultsToWorkbook() {
    progress_->show();
    progress_->setEnabled(true);
    progress_->setRange(0, 50);
    setProgress(1);
    std::string firstFailure;
    const int rows = table_.rowCount();
    const int columns = table_.columnCount();
    for (int r = 0; r < rows; ++r) {
        setProgress(r + 2);
        for (int c = 0; c < columns; ++c) {
            table_.setCurrent(r, c);
            if (!worksheet_.isSet()) continue;
            const Status put = worksheet_.cell(r + 1, c + 1).setValue(table_.text(r, c));
            if (!put && firstFailure.empty()) firstFailure = put.error();
        }
        setProgress(2);
    }
    if (worksheet_.isSet()) {
        // The marks as cell fills, and the record of every run on the sheet "Run".
        for (const Status& put :
             {putRowMarks(table_, worksheet_), putRunRecords(runs_, workbook_)}) {
            if (!put && firstFailure.empty()) firstFailure = put.error();
        }
    }
    progress_->setEnabled(false);
    progress_->hide();
    view_->showTable();
    if (!worksheet_.isSet()) return reportedFailure(ErrorKind::ObjectRequired);
    sentNotShown_ = true;
    if (firstFailure.empty()) return {};
    desktop_.messages.showMessage(kResultsMessageTitle, firstFailure);
    return Failure{firstFailure};
}

Status ResultsWindow::sendResultsWithNotice() {
    title_->setText("Wait Please");
    subtitle_->setText(
        "The program sends all calculated results to the Excel file named as "
        "Output.xlsx.");
    Status sent = sendResultsToWorkbook();
    subtitle_->setText(kResultsSubtitle);
    title_->setText(kResultsTitle);
    return sent;
}

// Making the application visible saves Output.xlsx (atomically) and opens it in the
// desktop's spreadsheet program. A save that fails is reported with the file and the reason.
// The component has no window of its own to show, so without Output.xlsx nothing would appear:
// an empty workbook link is reported like an empty application link.
Status ResultsWindow::showSpreadsheet() {
    if (!application_.isSet() || !workbook_.isSet()) {
        return reportedFailure(ErrorKind::ObjectRequired);
    }
    Status shown = application_.setVisible(true);
    if (!shown) {
        desktop_.messages.showMessage(kResultsMessageTitle, shown.error());
        return shown;
    }
    sentNotShown_ = false;
    return {};
}

bool ResultsWindow::closeSpreadsheet() {
    return close();
}

// Closing the window (its close box, or "Exit Excel File") quits its spreadsheet application.
// Results sent to Output.xlsx but never saved would be lost with it, so the user is asked
// first, as a spreadsheet program asks before quitting with unsaved changes.
void ResultsWindow::closeEvent(QCloseEvent* event) {
    const bool live = application_.isSet() && !application_.hasQuit();
    const Result<bool> changed = workbook_.isChanged();
    if (live && sentNotShown_ && changed && changed.value()) {
        const auto answer = desktop_.messages.askYesNoCancel(
            kResultsMessageTitle,
            "The results sent to Output.xlsx have not been saved. Save them before the "
            "spreadsheet closes?");
        if (answer == MessageBoxes::Answer::Cancel) {
            event->ignore();
            return;
        }
        if (answer == MessageBoxes::Answer::Yes) {
            const Status saved = workbook_.save();
            if (!saved) {
                desktop_.messages.showMessage(kResultsMessageTitle, saved.error());
                event->ignore();
                return;
            }
        }
    }
    if (live) application_.quit();
    storeWindowGeometry(*this, kResultsGeometryName);
    emit closing();
    event->accept();
}

}  // namespace kelvorad
