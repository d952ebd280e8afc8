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
    if (result.ok) markClean();
    return result;
}

FileResult AnalysisDocument::save(const std::string& path) {
    FileResult result = writeAnalysisFile(table_, path);
    if (result.ok) markClean();
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

int AnalysisDocument::copy(Clipboard& clipboard) const {
    return clipboard.setText(table_.selectionText()) ? error_code::kNone
                                                     : error_code::kClipboardUnavailable;
}

int AnalysisDocument::cut(Clipboard& clipboard) {
    const int error = copy(clipboard);
    if (error == error_code::kNone) table_.emptySelection();
    return error;
}

int AnalysisDocument::paste(Clipboard& clipboard) {
    const auto text = clipboard.text();
    if (!text) return error_code::kClipboardUnavailable;
    if (!text->empty()) table_.putIntoSelection(clipboardTextForTable(*text));
    return error_code::kNone;
}

bool AnalysisDocument::setCurrentCellText(std::string_view text) {
    if (table_.text(table_.row(), table_.column()) == text) return false;
    table_.setText(table_.row(), table_.column(), std::string(text));
    return true;
}

}  // namespace kelvorad
