#include "output_file.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

namespace kelvorad {

namespace {
// True for a path that exists and is neither a regular file nor a folder.
bool isSpecialFile(const std::string& path) {
    std::error_code ec;
    const std::filesystem::file_status status = std::filesystem::status(path, ec);
    return !ec && std::filesystem::exists(status) && !std::filesystem::is_regular_file(status) &&
           !std::filesystem::is_directory(status);
}
}  // namespace

OutputFile::~OutputFile() {
    if (file_ && !isStdout_) {
        std::fclose(file_);
        if (!direct_) std::remove(temporary_.c_str());
    }
}

bool OutputFile::open(const std::string& path) {
    path_ = path;
    if (path == "-") {
        file_ = stdout;
        isStdout_ = true;
        return true;
    }
    direct_ = isSpecialFile(path);
    temporary_ = direct_ ? path : path + ".tmp" + std::to_string(::getpid());
    file_ = std::fopen(temporary_.c_str(), "wb");
    if (!file_) error_ = "cannot write '" + path + "': " + std::strerror(errno);
    return file_ != nullptr;
}

void OutputFile::flush() {
    if (file_ && !buffer_.empty() && error_.empty()) {
        if (std::fwrite(buffer_.data(), 1, buffer_.size(), file_) != buffer_.size()) {
            error_ = "cannot write '" + path_ + "': " + std::strerror(errno);
        }
    }
    buffer_.clear();
}

bool OutputFile::commit() {
    if (!file_) return false;
    flush();
    if (isStdout_) {
        if (std::fflush(stdout) != 0 && error_.empty()) {
            error_ = std::string("cannot write standard output: ") + std::strerror(errno);
        }
        file_ = nullptr;
        return error_.empty();
    }
    if (std::fclose(file_) != 0 && error_.empty()) {
        error_ = "cannot write '" + path_ + "': " + std::strerror(errno);
    }
    file_ = nullptr;
    if (direct_) return error_.empty();
    if (error_.empty() && std::rename(temporary_.c_str(), path_.c_str()) != 0) {
        error_ = "cannot replace '" + path_ + "': " + std::strerror(errno);
    }
    if (!error_.empty()) std::remove(temporary_.c_str());
    return error_.empty();
}

}  // namespace kelvorad
