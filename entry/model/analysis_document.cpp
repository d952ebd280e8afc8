#include "analysis_document.h"

#include "clipboard_text.h"
#include "error_report.h"

namespace kelvorad {

AnalysisDocument::AnalysisDocument() {
    markClean();
}

bool AnalysisDocument::hasUnsavedChanges() const {
    return analysisFileContent(table_) != cleanContent_;
}

void AnalysisDocument::markClean() {
    cleanContent_ = analysisFileContent(table_);
}

FileResult AnalysisDocument::open(const std::string& path) {
    FileResult result = readAnalysisFile(table_, path);
    if (result.ok()) markClean();
    return result;
}

FileResult AnalysisDocument::save(const std::string& path) {
    FileResult result = writeAnalysisFile(table_, path);
    if (result.ok()) markClean();
    return result;
}

bool AnalysisDocument::removeCurrentRow() {
    if (table_.rowCount() <= 2 || table_.row() < 1) return false;
    table_.removeRow(table_.row());
    return true;
}

bool AnalysisDocument::insertRowAtCurrent() {
    if (table_.row() < 1) return false;
    table_.insertRow(table_.row());
    return true;
}

Status AnalysisDocument::copy(Clipboard& clipboard) const {
    if (!clipboard.setText(table_.selectionText())) {
        return reportedFailure(ErrorKind::ClipboardUnavailable);
    }
    return {};
}

Status AnalysisDocument::cut(Clipboard& clipboard) {
    Status copied = copy(clipboard);
    if (copied) table_.emptySelection();
    return copied;
}

Status AnalysisDocument::paste(Clipboard& clipboard) {
    const auto text = clipboard.text();
    if (!text) return reportedFailure(ErrorKind::ClipboardUnavailable);
    if (!text->empty()) table_.putIntoSelection(clipboardTextForTable(*text));
    return {};
}

bool AnalysisDocument::setCurrentCellText(std::string_view text) {
    if (table_.text(table_.row(), table_.column()) == text) return false;
    table_.setText(table_.row(), table_.column(), std::string(text));
    return true;
}

}  // namespace kelvorad
