#include "recovery_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <sstream>

namespace kelvorad {

namespace fs = std::filesystem;

namespace {
constexpr std::string_view kFirstLine = "Kelvorad recovery file 1";
constexpr std::string_view kEndLine = "end";
constexpr const char* kRecoveryExtension = ".recovery";
constexpr const char* kLockExtension = ".lock";

// A cell on one line: backslash, TAB, CR and LF written as \\, \t, \r and \n.
void appendEscaped(std::string& out, std::string_view text) {
    for (char ch : text) {
        switch (ch) {
            case '\\':
                out += "\\\\";
                break;
            case '\t':
                out += "\\t";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\n':
                out += "\\n";
                break;
            default:
                out += ch;
        }
    }
}

std::optional<std::string> unescaped(std::string_view text) {
    std::string out;
    for (std::size_t k = 0; k < text.size(); ++k) {
        if (text[k] != '\\') {
            out += text[k];
            continue;
        }
        if (++k == text.size()) return std::nullopt;
        switch (text[k]) {
            case '\\':
                out += '\\';
                break;
            case 't':
                out += '\t';
                break;
            case 'r':
                out += '\r';
                break;
            case 'n':
                out += '\n';
                break;
            default:
                return std::nullopt;
        }
    }
    return out;
}

std::vector<std::string_view> split(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    for (;;) {
        const auto at = text.find(separator);
        parts.push_back(text.substr(0, at));
        if (at == std::string_view::npos) return parts;
        text.remove_prefix(at + 1);
    }
}

std::string errorText(int error) {
    return std::strerror(error);
}

FileResult failure(const std::string& what, const fs::path& path, int error) {
    FileResult result;
    result.status = Failure{what + " \"" + path.string() + "\": " + errorText(error),
                            ErrorKind::FileAccessDenied};
    return result;
}

// Writes and syncs a whole file; false with errno set on failure.
bool writeAndSync(const fs::path& path, std::string_view content) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0) return false;
    std::size_t written = 0;
    while (written < content.size()) {
        const ssize_t n = ::write(fd, content.data() + written, content.size() - written);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            const int error = errno ? errno : EIO;
            ::close(fd);
            errno = error;
            return false;
        }
        written += static_cast<std::size_t>(n);
    }
    if (::fsync(fd) != 0 || ::close(fd) != 0) return false;
    return true;
}

// A name no other running Kelvorad uses: the process id and the moment this file was made.
std::string uniqueStem() {
    static int made = 0;
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    return "kelvorad-" + std::to_string(::getpid()) + "-" +
           std::to_string(std::chrono::duration_cast<std::chrono::microseconds>(now).count()) +
           "-" + std::to_string(++made);
}

fs::path withExtension(const fs::path& path, const char* extension) {
    fs::path changed = path;
    changed.replace_extension(extension);
    return changed;
}
}  // namespace

int RecoveredTable::pairCount() const {
    int pairs = 0;
    for (int r = 1; r < table.rowCount(); ++r) {
        for (int c = 1; c < table.columnCount(); ++c) {
            if (!table.text(r, c).empty()) {
                ++pairs;
                break;
            }
        }
    }
    return pairs;
}

std::string recoveryFileContent(const AnalysisTable& table, const std::string& originalFile,
                                std::time_t savedAt) {
    std::string out(kFirstLine);
    out += "\nsaved ";
    out += std::to_string(static_cast<long long>(savedAt));
    out += "\noriginal ";
    appendEscaped(out, originalFile);
    out += "\nsize ";
    out += std::to_string(table.rowCount());
    out += ' ';
    out += std::to_string(table.columnCount());
    out += '\n';
    for (int r = 0; r < table.rowCount(); ++r) {
        for (int c = 0; c < table.columnCount(); ++c) {
            if (c > 0) out += '\t';
            appendEscaped(out, table.text(r, c));
        }
        out += '\n';
    }
    out += kEndLine;
    out += '\n';
    return out;
}

std::optional<RecoveredTable> parseRecoveryFileContent(std::string_view content) {
    std::vector<std::string_view> lines = split(content, '\n');
    if (lines.size() < 6 || lines[0] != kFirstLine || !lines.back().empty()) return std::nullopt;
    lines.pop_back();
    if (lines.back() != kEndLine) return std::nullopt;
    const auto field = [](std::string_view line, std::string_view name) {
        return line.substr(0, name.size() + 1) == std::string(name) + " "
                   ? std::optional(line.substr(name.size() + 1))
                   : std::nullopt;
    };
    const auto saved = field(lines[1], "saved");
    const auto original = field(lines[2], "original");
    const auto size = field(lines[3], "size");
    if (!saved || !original || !size) return std::nullopt;
    RecoveredTable recovered;
    long long seconds = 0;
    int rows = 0;
    int columns = 0;
    std::istringstream(std::string(*saved)) >> seconds;
    std::istringstream sizes{std::string(*size)};
    if (!(sizes >> rows >> columns) || rows < 2 || columns < 1 || rows > 100000 || columns > 1000 ||
        lines.size() != static_cast<std::size_t>(rows) + 5) {
        return std::nullopt;
    }
    const auto originalFile = unescaped(*original);
    if (!originalFile) return std::nullopt;
    recovered.originalFile = *originalFile;
    recovered.savedAt = static_cast<std::time_t>(seconds);
    recovered.table.resize(rows, columns);
    for (int r = 0; r < rows; ++r) {
        const auto cells = split(lines[static_cast<std::size_t>(r) + 4], '\t');
        if (cells.size() != static_cast<std::size_t>(columns)) return std::nullopt;
        for (int c = 0; c < columns; ++c) {
            auto text = unescaped(cells[static_cast<std::size_t>(c)]);
            if (!text) return std::nullopt;
            recovered.table.setText(r, c, std::move(*text));
        }
    }
    recovered.table.setCurrent(1, 1);
    return recovered;
}

fs::path defaultRecoveryFolder() {
    const char* state = std::getenv("XDG_STATE_HOME");
    if (state && fs::path(state).is_absolute()) return fs::path(state) / "kelvorad";
    const char* home = std::getenv("HOME");
    return fs::path(home ? home : ".") / ".local" / "state" / "kelvorad";
}

std::optional<HeldLock> HeldLock::take(const fs::path& path) {
    HeldLock lock;
    lock.fd_ = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (lock.fd_ < 0 || ::flock(lock.fd_, LOCK_EX | LOCK_NB) != 0) return std::nullopt;
    return lock;
}

HeldLock::HeldLock(HeldLock&& other) noexcept : fd_(other.fd_) {
    other.fd_ = -1;
}

HeldLock& HeldLock::operator=(HeldLock&& other) noexcept {
    if (this != &other) {
        release();
        fd_ = other.fd_;
        other.fd_ = -1;
    }
    return *this;
}

HeldLock::~HeldLock() {
    release();
}

bool HeldLock::isOn(const fs::path& path) const {
    struct stat mine {};
    struct stat named {};
    return fd_ >= 0 && ::fstat(fd_, &mine) == 0 && ::stat(path.c_str(), &named) == 0 &&
           mine.st_dev == named.st_dev && mine.st_ino == named.st_ino;
}

void HeldLock::release() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
}

RecoveryFile::RecoveryFile(fs::path folder) : folder_(std::move(folder)) {
    const std::string stem = uniqueStem();
    path_ = folder_ / (stem + kRecoveryExtension);
    lockPath_ = folder_ / (stem + kLockExtension);
}

// The lock is taken before the file is first written. Should another start have removed the
// lock file as left over in between, it is taken again on a new one.
FileResult RecoveryFile::write(const AnalysisTable& table, const std::string& originalFile) {
    std::error_code error;
    fs::create_directories(folder_, error);
    if (error) return failure("Cannot make the recovery folder", folder_, error.value());
    if (!lock_.isOn(lockPath_)) {
        auto taken = HeldLock::take(lockPath_);
        if (!taken) return failure("Cannot lock the recovery file", lockPath_, errno);
        lock_ = std::move(*taken);
    }
    const fs::path temporary = path_.string() + ".new";
    errno = 0;
    if (!writeAndSync(temporary, recoveryFileContent(table, originalFile, std::time(nullptr)))) {
        const int reason = errno ? errno : EIO;
        ::unlink(temporary.c_str());
        return failure("Cannot write the recovery file", path_, reason);
    }
    if (std::rename(temporary.c_str(), path_.c_str()) != 0) {
        const int reason = errno;
        ::unlink(temporary.c_str());
        return failure("Cannot write the recovery file", path_, reason);
    }
    return {};
}

void RecoveryFile::remove() {
    if (!lock_.isHeld()) return;
    ::unlink(path_.c_str());
    ::unlink(lockPath_.c_str());
    lock_.release();
}

void AbandonedRecovery::discard() {
    ::unlink(path.c_str());
    ::unlink(withExtension(path, kLockExtension).c_str());
    lock.release();
}

std::vector<AbandonedRecovery> claimAbandonedRecoveries(const fs::path& folder,
                                                        std::vector<fs::path>* damaged) {
    std::vector<AbandonedRecovery> found;
    std::error_code error;
    std::vector<fs::path> recoveries;
    std::vector<fs::path> locks;
    for (const auto& entry : fs::directory_iterator(folder, error)) {
        const fs::path& path = entry.path();
        if (path.extension() == kRecoveryExtension) recoveries.push_back(path);
        if (path.extension() == kLockExtension) locks.push_back(path);
    }
    for (const fs::path& path : recoveries) {
        const fs::path lockPath = withExtension(path, kLockExtension);
        auto lock = HeldLock::take(lockPath);
        if (!lock) continue;  // its Kelvorad is running
        std::string bytes;
        std::string reason;
        std::optional<RecoveredTable> recovered;
        if (readWholeFile(path.string(), bytes, reason)) {
            recovered = parseRecoveryFileContent(bytes);
        }
        if (!recovered) {
            const fs::path kept = path.string() + ".damaged";
            fs::rename(path, kept, error);
            ::unlink(lockPath.c_str());
            if (damaged) damaged->push_back(error ? path : kept);
            continue;
        }
        found.push_back({path, std::move(*recovered), std::move(*lock)});
    }
    for (const fs::path& lockPath : locks) {
        if (fs::exists(withExtension(lockPath, kRecoveryExtension), error)) continue;
        if (HeldLock::take(lockPath)) ::unlink(lockPath.c_str());
    }
    // Newest first; within one second, the file written last.
    const auto written = [](const fs::path& path) {
        std::error_code unknown;
        return fs::last_write_time(path, unknown);
    };
    std::sort(found.begin(), found.end(), [&](const auto& a, const auto& b) {
        if (a.recovered.savedAt != b.recovered.savedAt) {
            return a.recovered.savedAt > b.recovered.savedAt;
        }
        return written(a.path) > written(b.path);
    });
    return found;
}

}  // namespace kelvorad
