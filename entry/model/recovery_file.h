#pragma once
// The recovery file: while the analysis table has unsaved changes the main window keeps a copy
// of it in the recovery folder, so that typed analyses survive a crash, a kill or a power cut.
// Each running Kelvorad has its own file, named by its process id and start, and holds a lock
// on a lock file beside it for as long as it runs: a file whose lock is free was left by a
// Kelvorad that is no longer running, and the next start offers to restore it.

#include <ctime>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "analysis_file.h"
#include "analysis_table.h"

namespace kelvorad {

// What a recovery file holds: every cell of the table, exactly, with the file the table came
// from (empty for a table never saved) and the time it was kept.
struct RecoveredTable {
    AnalysisTable table;
    std::string originalFile;
    std::time_t savedAt = 0;

    // Data rows with text in any cell but the row number.
    int pairCount() const;
};

std::string recoveryFileContent(const AnalysisTable& table, const std::string& originalFile,
                                std::time_t savedAt);
// nullopt when the text is not a whole recovery file.
std::optional<RecoveredTable> parseRecoveryFileContent(std::string_view content);

// $XDG_STATE_HOME/kelvorad, or ~/.local/state/kelvorad when it is not set (or not absolute).
std::filesystem::path defaultRecoveryFolder();

// A lock (flock) held on a lock file through an open descriptor; released when destroyed.
class HeldLock {
  public:
    HeldLock() = default;
    // Takes the lock on `path`, creating the file; nullopt when another descriptor holds it.
    static std::optional<HeldLock> take(const std::filesystem::path& path);
    HeldLock(HeldLock&& other) noexcept;
    HeldLock& operator=(HeldLock&& other) noexcept;
    ~HeldLock();
    bool isHeld() const { return fd_ >= 0; }
    // True while `path` is still the file this lock is on.
    bool isOn(const std::filesystem::path& path) const;
    void release();

  private:
    int fd_ = -1;
};

// This process's recovery file. Nothing is created before the first write.
class RecoveryFile {
  public:
    explicit RecoveryFile(std::filesystem::path folder);
    RecoveryFile(const RecoveryFile&) = delete;
    RecoveryFile& operator=(const RecoveryFile&) = delete;
    // Releases the lock; the file itself stays (remove() takes it away).
    ~RecoveryFile() = default;

    // Writes the table atomically (a temporary file synced to disk, then a rename).
    FileResult write(const AnalysisTable& table, const std::string& originalFile);
    // Removes the file and its lock file; nothing happens when there is none.
    void remove();
    const std::filesystem::path& path() const { return path_; }

  private:
    std::filesystem::path folder_;
    std::filesystem::path path_;
    std::filesystem::path lockPath_;
    HeldLock lock_;
};

// A recovery file left by a Kelvorad no longer running, locked by this process so that no
// other starting Kelvorad offers it at the same time. Letting it go keeps the file.
struct AbandonedRecovery {
    std::filesystem::path path;
    RecoveredTable recovered;
    HeldLock lock;
    // Removes the file and its lock file.
    void discard();
};

// The recovery files of `folder` whose Kelvorad no longer runs, newest first. Lock files left
// alone by a process that ended are removed. A file that cannot be read as a recovery file is
// renamed to end in ".damaged", so that it is not offered again, and its new path listed in
// `damaged`.
std::vector<AbandonedRecovery> claimAbandonedRecoveries(
    const std::filesystem::path& folder, std::vector<std::filesystem::path>* damaged);

}  // namespace kelvorad
