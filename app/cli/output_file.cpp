#include "output_file.h"

#include <cerrno>
#include <cstring>
#include <iostream>

namespace kelvorad {

bool OutputFile::open(const std::string& path) {
    if (path == "-") {
        isStdout_ = true;
        return true;
    }
    if (!file_.open(path)) error_ = file_.error();
    return file_.isOpen();
}

void OutputFile::flush() {
    if (error_.empty() && !buffer_.empty()) {
        if (isStdout_) {
            if (std::fwrite(buffer_.data(), 1, buffer_.size(), stdout) != buffer_.size()) {
                flushStandardOutput(error_, errno);
            }
        } else if (!file_.write(buffer_)) {
            error_ = file_.error();
        }
    }
    buffer_.clear();
}

bool OutputFile::commit() {
    if (!isOpen()) return false;
    flush();
    if (isStdout_) {
        if (error_.empty()) flushStandardOutput(error_);
        isStdout_ = false;
        return error_.empty();
    }
    if (error_.empty() && !file_.commit()) error_ = file_.error();
    file_.discard();
    return error_.empty();
}

bool flushStandardOutput(std::string& error, int knownError) {
    errno = knownError;
    std::cout.flush();
    const bool flushed = std::fflush(stdout) == 0;
    if (flushed && !std::ferror(stdout) && std::cout.good()) return true;
    const int reason = errno;
    error = "cannot write standard output: ";
    error += reason ? std::strerror(reason) : "a write failed";
    // Reported once: later checks see only what fails after this.
    std::clearerr(stdout);
    std::cout.clear();
    return false;
}

}  // namespace kelvorad
