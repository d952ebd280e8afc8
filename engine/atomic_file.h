#pragma once
// One output file replaced whole, the way every file Kelvorad writes is written.
//
// A regular file (new or existing) is written under a temporary name beside it and renamed
// over it only when every byte reached the disk: on any failure the old file stays as it was.
// Other targets are treated as a shell redirection treats them:
//  - a symbolic link is followed, and the file it points to is replaced (the link stays);
//  - a character device or a FIFO (/dev/null, a pipe) is written directly, never replaced;
//  - an existing file without write permission is refused (nothing is written);
//  - a replaced file keeps its permissions, and its owner when the process may set it.

#include <string>
#include <string_view>

namespace kelvorad {

class AtomicFile {
  public:
    AtomicFile() = default;
    ~AtomicFile();  // discards what was not committed
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // Prepares writing `target`. False, with a message naming `target` in error(), when it is
    // a folder, a read-only file, or its folder cannot take a new file.
    bool open(const std::string& target);
    bool isOpen() const { return open_; }

    // Appends bytes. False (and every later call false) once a write failed.
    bool write(std::string_view bytes);

    // For writers that take a file name rather than bytes (libxlsxwriter, gnuplot): the file
    // they should create. It is the temporary beside a regular target; for a device or FIFO a
    // temporary in the system's temporary folder that commit() copies into it. Call after
    // open() and before any write(); the file is closed for them to reopen.
    std::string stagingPath();

    // Finishes: flushes to disk and renames over the target (or closes the device). False,
    // with the reason naming the target, on failure; the old target is then intact.
    bool commit();

    // Drops the temporary file; the target stays as it was.
    void discard();

    // "cannot write 'TARGET': REASON" after a failure; the reason alone; its errno value.
    const std::string& error() const { return error_; }
    const std::string& reason() const { return reason_; }
    int errorNumber() const { return errorNumber_; }
    // The file the user asked for.
    const std::string& target() const { return target_; }

  private:
    bool fail(int errorNumber, std::string_view reason = {});
    bool copyStagingIntoDevice();

    std::string target_;    // as asked for
    std::string resolved_;  // after following symbolic links
    std::string temporary_;
    std::string staging_;  // a named staging file outside the target's folder (devices)
    int fd_ = -1;
    bool open_ = false;
    bool direct_ = false;
    std::string error_;
    std::string reason_;
    int errorNumber_ = 0;
};

// Writes `bytes` to `target` through an AtomicFile. Returns "" or the message.
std::string writeWholeFile(const std::string& target, std::string_view bytes);

}  // namespace kelvorad
