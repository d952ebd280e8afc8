#include "recovery_keeper.h"

namespace kelvorad {

RecoveryKeeper::RecoveryKeeper(const AnalysisDocument& document, std::filesystem::path folder,
                               RecoveryTimings timings, std::function<std::string()> originalFile,
                               std::function<void(const std::string&)> reportFailure,
                               QObject* parent)
    : QObject(parent),
      document_(document),
      folder_(folder),
      file_(std::move(folder)),
      originalFile_(std::move(originalFile)),
      reportFailure_(std::move(reportFailure)) {
    for (QTimer* timer : {&quiet_, &longest_}) {
        timer->setSingleShot(true);
        connect(timer, &QTimer::timeout, this, &RecoveryKeeper::writeNow);
    }
    quiet_.setInterval(timings.quiet);
    longest_.setInterval(timings.longest);
}

// Every change starts the quiet time again; the longest time runs from the first change.
void RecoveryKeeper::tableChanged() {
    if (!document_.hasUnsavedChanges()) {
        remove();
        return;
    }
    quiet_.start();
    if (!longest_.isActive()) longest_.start();
}

void RecoveryKeeper::writeNow() {
    quiet_.stop();
    longest_.stop();
    if (!document_.hasUnsavedChanges()) {
        file_.remove();
        return;
    }
    const FileResult written = file_.write(document_.table(), originalFile_());
    if (!written.ok() && !failing_ && reportFailure_) reportFailure_(written.error());
    failing_ = !written.ok();
}

void RecoveryKeeper::remove() {
    quiet_.stop();
    longest_.stop();
    file_.remove();
}

}  // namespace kelvorad
