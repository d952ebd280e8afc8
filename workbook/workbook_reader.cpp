#include "workbook_reader.h"

#include <signal.h>
#include <unistd.h>

#include <string>
#include <system_error>
#include <vector>

#include "helper_process.h"
#include "program_folders.h"
#include "workbook_bytes.h"
#include "workbook_reader_exit.h"

namespace kelvorad {

namespace fs = std::filesystem;

namespace {

constexpr const char* kReaderName = "kelvorad-read-workbook";

std::string secondsText(std::chrono::milliseconds time) {
    const auto tenths = (time.count() + 50) / 100;
    return std::to_string(tenths / 10) + (tenths % 10 ? "." + std::to_string(tenths % 10) : "");
}

// How a signal ended the reader, in words that do not depend on the locale.
std::string signalText(int signal) {
    switch (signal) {
        case SIGABRT:
            return "it aborted";
        case SIGSEGV:
            return "it crashed: segmentation fault";
        case SIGBUS:
            return "it crashed: bus error";
        case SIGILL:
            return "it crashed: illegal instruction";
        case SIGFPE:
            return "it crashed: arithmetic error";
        case SIGKILL:
            return "it was killed";
        default:
            return "it was ended by signal " + std::to_string(signal);
    }
}

// What happened to a reader that gave no reply, in a few words.
std::string whatHappened(const HelperOutcome& outcome, const WorkbookReadLimits& limits) {
    using Ending = HelperOutcome::Ending;
    switch (outcome.ending) {
        case Ending::TimedOut:
            return "it took longer than " + secondsText(limits.time) + " s";
        case Ending::OutputTooLarge:
            return "its result is larger than " + byteSizeText(limits.resultBytes);
        case Ending::Signalled:
            return signalText(outcome.status);
        case Ending::Exited:
            if (outcome.status == kReaderOutOfMemory) return "out of memory";
            if (outcome.status == 0) return "its reply is damaged";
            return "it failed, exit status " + std::to_string(outcome.status);
        default:
            return "it gave no reply";
    }
}

}  // namespace

fs::path workbookReaderProgram() {
    const fs::path candidate = programLibraryFile(kReaderName, KELVORAD_WORKBOOK_READER_BUILD_PATH);
    std::error_code error;
    if (fs::is_regular_file(candidate, error) && access(candidate.c_str(), X_OK) == 0) {
        return candidate;
    }
    return {};
}

Result<WorkbookData> readWorkbookFileWith(const fs::path& reader, const fs::path& path,
                                          const WorkbookReadLimits& limits, std::stop_token stop) {
    const std::string name = path.string();
    if (reader.empty()) {
        return Failure{name + ": the workbook reader (" + kReaderName + ") is not installed"};
    }
    const std::vector<std::string> arguments{"--memory-limit",
                                             std::to_string(limits.memoryBytes),
                                             "--result-limit",
                                             std::to_string(limits.resultBytes),
                                             "--",
                                             name};
    // Room for a failure message besides the largest workbook.
    const HelperLimits helperLimits{limits.time,
                                    kReaderReplyHeaderSize + limits.resultBytes + 4096};
    const HelperOutcome outcome = runHelperProgram(reader, arguments, helperLimits, stop);

    using Ending = HelperOutcome::Ending;
    if (outcome.ending == Ending::NotStarted) {
        return Failure{name + ": the workbook reader cannot be started (" + outcome.problem + ")"};
    }
    if (outcome.ending == Ending::Cancelled) return Failure{name + ": reading was cancelled"};
    // A whole reply counts however the reader ended afterwards: a sanitizer that reports a
    // leak at exit (on the standard error, which is ours) does not take the cells away.
    const bool endedByItself =
        outcome.ending == Ending::Exited || outcome.ending == Ending::Signalled;
    const auto reply = endedByItself ? decodeReaderReply(outcome.output) : std::nullopt;
    if (!reply) {
        return Failure{name + ": the workbook reader stopped (" + whatHappened(outcome, limits) +
                       "); the file may be damaged"};
    }
    if (!reply->succeeded) return Failure{reply->content};
    auto workbook = decodeWorkbook(reply->content);
    if (!workbook) return Failure{name + ": the workbook reader gave back damaged data"};
    return std::move(*workbook);
}

Result<WorkbookData> readWorkbookFile(const fs::path& path, const WorkbookReadLimits& limits,
                                      std::stop_token stop) {
    return readWorkbookFileWith(workbookReaderProgram(), path, limits, std::move(stop));
}

}  // namespace kelvorad
