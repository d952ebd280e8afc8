#pragma once
// A text output of the command line: standard output ("-") or a file written atomically
// (a temporary file beside it, renamed over the target when everything was written). A target
// that exists and is not a regular file (/dev/null, /dev/stdout, a named pipe) is written
// directly: renaming a file over it would replace the device or pipe by a plain file.

#include <cstdio>
#include <string>
#include <string_view>

namespace kelvorad {

class OutputFile {
  public:
    OutputFile() = default;
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Opens `path` ("-" for standard output). False, with the reason in error(), on failure.
    bool open(const std::string& path);
    bool isOpen() const { return file_ != nullptr; }

    // Buffered writing; the buffer goes out whenever it grows past a megabyte.
    std::string& buffer() { return buffer_; }
    void write(std::string_view text) { buffer_.append(text); }
    void flushIfLarge() {
        if (buffer_.size() >= (1u << 20)) flush();
    }

    // Writes what is left and puts the file in place. False, with the reason, on failure (the
    // previous file of that name is then untouched).
    bool commit();
    const std::string& error() const { return error_; }

  private:
    void flush();

    std::FILE* file_ = nullptr;
    bool isStdout_ = false;
    bool direct_ = false;  // written in place: standard output or a device or pipe
    std::string path_;
    std::string temporary_;
    std::string buffer_;
    std::string error_;
};

}  // namespace kelvorad
