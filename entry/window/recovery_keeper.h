#pragma once
// Keeps the main window's recovery file up to date: while the document has unsaved changes
// the table is written within the quiet time after the last change, and no later than the
// longest time after the first change not yet written, however long the typing goes on; once
// nothing is left unsaved the file is removed at once.

#include <QObject>
#include <QTimer>
#include <chrono>
#include <filesystem>
#include <functional>
#include <string>

#include "analysis_document.h"
#include "recovery_file.h"

namespace kelvorad {

struct RecoveryTimings {
    std::chrono::milliseconds quiet{5000};
    std::chrono::milliseconds longest{30000};
};

class RecoveryKeeper : public QObject {
  public:
    // `originalFile` names the file the table was last opened from or saved to (empty for
    // none); `reportFailure` is told when a write fails (once, until a write succeeds again).
    // The document must outlive the keeper.
    RecoveryKeeper(const AnalysisDocument& document, std::filesystem::path folder,
                   RecoveryTimings timings, std::function<std::string()> originalFile,
                   std::function<void(const std::string&)> reportFailure, QObject* parent);

    const std::filesystem::path& folder() const { return folder_; }
    const std::filesystem::path& path() const { return file_.path(); }

    // The table may have changed: a write is planned, or the file removed when nothing is
    // left unsaved.
    void tableChanged();
    // Writes the file now (or removes it when nothing is unsaved).
    void writeNow();
    // Removes the file and forgets any planned write.
    void remove();

  private:
    const AnalysisDocument& document_;
    std::filesystem::path folder_;
    RecoveryFile file_;
    std::function<std::string()> originalFile_;
    std::function<void(const std::string&)> reportFailure_;
    QTimer quiet_;
    QTimer longest_;
    bool failing_ = false;
};

}  // namespace kelvorad
