// The recovery file of the main window: kept while the table has unsaved changes, offered
// for restoring at the next start when Kelvorad ended without removing it.
#include <QDateTime>

#include "main_window.h"
#include "main_window_actions.h"

namespace kelvorad {

namespace {
std::string offerText(const RecoveredTable& recovered) {
    const QString when =
        QDateTime::fromSecsSinceEpoch(recovered.savedAt).toString("yyyy-MM-dd HH:mm:ss");
    const int pairs = recovered.pairCount();
    std::string text = "Kelvorad ended without saving the analysis table. A copy kept at ";
    text += when.toStdString();
    text += " holds ";
    text += std::to_string(pairs);
    text += pairs == 1 ? " analysis pair. " : " analysis pairs. ";
    if (recovered.originalFile.empty()) {
        text += "The table had not been saved to a file.";
    } else {
        text += "The table came from the file \"";
        text += recovered.originalFile;
        text += "\".";
    }
    text +=
        "\n\nRestore it?\nYes restores it into a new table, No discards the copy, Cancel keeps "
        "it for the next start.";
    return text;
}
}  // namespace

void MainWindow::keepRecoveryFile(const std::filesystem::path& folder, RecoveryTimings timings) {
    if (recovery_) recovery_->remove();
    delete recovery_;
    recovery_ = new RecoveryKeeper(
        document_, folder, timings, [this] { return tableFile_; },
        [this](const std::string& error) {
            desktop_.messages.showMessage(
                kMessageTitle, error +
                                   "\n\nUnsaved analyses cannot be kept for recovery after "
                                   "a crash; save the table to keep them.");
        },
        this);
    noteTableChange();
}

std::filesystem::path MainWindow::recoveryFilePath() const {
    return recovery_ ? recovery_->path() : std::filesystem::path();
}

void MainWindow::noteTableChange() {
    if (recovery_) recovery_->tableChanged();
}

bool MainWindow::offerRecovery() {
    if (!recovery_) return false;
    std::vector<std::filesystem::path> damaged;
    std::vector<AbandonedRecovery> found = claimAbandonedRecoveries(recovery_->folder(), &damaged);
    for (const auto& path : damaged) {
        desktop_.messages.showMessage(kMessageTitle, "The recovery file \"" + path.string() +
                                                         "\" cannot be read; it is left there.");
    }
    for (AbandonedRecovery& abandoned : found) {
        switch (desktop_.messages.askYesNoCancel(kMessageTitle, offerText(abandoned.recovered))) {
            case MessageBoxes::Answer::Yes:
                restoreRecovered(abandoned.recovered);
                abandoned.discard();
                return true;
            case MessageBoxes::Answer::No:
                abandoned.discard();
                break;
            case MessageBoxes::Answer::Cancel:
                return false;
        }
    }
    return false;
}

// The window takes its data-entry look as after New File; the restored table is one step of
// the history and counts as unsaved. This window's own recovery file is written before the
// old one goes, so that there is always one.
void MainWindow::restoreRecovered(const RecoveredTable& recovered) {
    newFile();
    const AnalysisTable before = document_.table();
    document_.table() = recovered.table;
    document_.setFileName(recovered.originalFile);
    tableFile_ = recovered.originalFile;
    setFileStatus(recovered.originalFile.empty() ? "New File" : recovered.originalFile);
    recordTableChange("Restore", before);
    recovery_->writeNow();
}

}  // namespace kelvorad
