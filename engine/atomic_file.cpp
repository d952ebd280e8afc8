#include "atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <vector>

namespace kelvorad {

namespace {

constexpr int kMaxLinkDepth = 40;  // as the kernel's ELOOP limit

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

std::string nameOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The file a symbolic link chain ends at (the path itself when it is no link). A link to a
// missing file gives that file, which a write then creates, as a shell does.
std::string followLinks(std::string path, int& errorNumber) {
    for (int depth = 0; depth < kMaxLinkDepth; ++depth) {
        struct stat st {};
        if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
        std::vector<char> link(static_cast<std::size_t>(st.st_size > 0 ? st.st_size : 255) + 1);
        const ssize_t length = ::readlink(path.c_str(), link.data(), link.size());
        if (length < 0) return path;
        std::string next(link.data(), static_cast<std::size_t>(length));
        if (next.empty() || next.front() != '/') {
            std::string joined = folderOf(path);
            joined += '/';
            joined += next;
            next = std::move(joined);
        }
        path = std::move(next);
    }
    errorNumber = ELOOP;
    return path;
}

// The permissions a new file gets: rw for all, less the process's umask (read without
// changing it, which umask() cannot do safely while other threads create files).
mode_t newFileMode() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("Umask:", 0) == 0) {
            return static_cast<mode_t>(0666 & ~std::strtol(line.c_str() + 6, nullptr, 8));
        }
    }
    return 0644;
}

// Creates a new file from a mkstemp pattern ("...XXXXXX"), which becomes its name.
int makeTemporary(std::string& pattern) {
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    const int fd = ::mkstemp(buffer.data());
    if (fd >= 0) pattern.assign(buffer.data());
    return fd;
}

}  // namespace

AtomicFile::~AtomicFile() {
    discard();
}

bool AtomicFile::fail(int errorNumber, std::string_view reason) {
    if (!error_.empty()) return false;
    errorNumber_ = errorNumber;
    reason_ = reason.empty() ? std::string(std::strerror(errorNumber)) : std::string(reason);
    error_ = "cannot write '";
    error_ += target_;
    error_ += "': ";
    error_ += reason_;
    return false;
}

bool AtomicFile::open(const std::string& target) {
    discard();
    target_ = target;
    error_.clear();
    reason_.clear();
    errorNumber_ = 0;
    direct_ = false;

    int linkError = 0;
    resolved_ = followLinks(target, linkError);
    if (linkError) return fail(linkError);

    struct stat existing {};
    const bool exists = ::stat(resolved_.c_str(), &existing) == 0;
    if (exists && S_ISDIR(existing.st_mode)) return fail(EISDIR, "it is a folder");
    if (exists && !S_ISREG(existing.st_mode)) {
        // A device or FIFO takes the bytes itself; replacing it would destroy the node.
        fd_ = ::open(resolved_.c_str(), O_WRONLY | O_CLOEXEC);
        if (fd_ < 0) return fail(errno);
        direct_ = true;
        open_ = true;
        return true;
    }
    // Root may write any file; a file nobody may write is still meant to stay as it is.
    if (exists && ((existing.st_mode & 0222) == 0 || ::access(resolved_.c_str(), W_OK) != 0)) {
        return fail(EACCES, "the file is read-only");
    }

    std::string pattern = folderOf(resolved_);
    pattern += "/.";
    pattern += nameOf(resolved_);
    pattern += ".XXXXXX";
    fd_ = makeTemporary(pattern);
    if (fd_ < 0) return fail(errno);
    temporary_ = pattern;
    ::fchmod(fd_, exists ? (existing.st_mode & 07777) : newFileMode());
    if (exists && ::geteuid() == 0) {
        // Keeping the owner is possible for root only; failing to is not an error.
        [[maybe_unused]] const int kept = ::fchown(fd_, existing.st_uid, existing.st_gid);
        ::fchmod(fd_, existing.st_mode & 07777);  // fchown clears set-id bits
    }
    open_ = true;
    return true;
}

bool AtomicFile::write(std::string_view bytes) {
    if (!open_ || !error_.empty() || fd_ < 0) return false;
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd_, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            return fail(errno);
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

std::string AtomicFile::stagingPath() {
    if (!open_ || !error_.empty()) return {};
    if (!direct_) {
        if (fd_ >= 0) ::close(fd_);
        fd_ = -1;
        return temporary_;
    }
    if (staging_.empty()) {
        const char* folder = std::getenv("TMPDIR");
        std::string pattern = folder && *folder ? folder : "/tmp";
        pattern += "/kelvorad-output.XXXXXX";
        const int fd = makeTemporary(pattern);
        if (fd < 0) {
            fail(errno);
            return {};
        }
        ::close(fd);
        staging_ = pattern;
    }
    return staging_;
}

bool AtomicFile::copyStagingIntoDevice() {
    std::FILE* in = std::fopen(staging_.c_str(), "rb");
    if (!in) return fail(errno);
    std::vector<char> block(1 << 16);
    std::size_t got = 0;
    while ((got = std::fread(block.data(), 1, block.size(), in)) > 0) {
        if (!write(std::string_view(block.data(), got))) break;
    }
    std::fclose(in);
    return error_.empty();
}

bool AtomicFile::commit() {
    if (!open_) return false;
    if (error_.empty() && direct_ && !staging_.empty()) copyStagingIntoDevice();
    if (error_.empty() && !direct_) {
        if (fd_ < 0) fd_ = ::open(temporary_.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd_ < 0 || ::fsync(fd_) != 0) fail(errno);
    }
    if (fd_ >= 0 && ::close(fd_) != 0) fail(errno);
    fd_ = -1;
    if (error_.empty() && !direct_ && std::rename(temporary_.c_str(), resolved_.c_str()) != 0) {
        fail(errno);
    }
    if (error_.empty() && !direct_) temporary_.clear();
    discard();
    return error_.empty();
}

void AtomicFile::discard() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    if (!temporary_.empty()) ::unlink(temporary_.c_str());
    if (!staging_.empty()) ::unlink(staging_.c_str());
    temporary_.clear();
    staging_.clear();
    open_ = false;
}

std::string writeWholeFile(const std::string& target, std::string_view bytes) {
    AtomicFile file;
    if (file.open(target) && file.write(bytes) && file.commit()) return "";
    return file.error();
}

}  // namespace kelvorad
