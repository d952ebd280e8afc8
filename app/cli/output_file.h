#pragma once
// A text output of the command line: standard output ("-") or a file replaced whole through
// an AtomicFile (a temporary file beside it, renamed over the target when everything was
// written; devices and FIFOs written directly; read-only files refused).

#include <cstdio>
#include <string>
#include <string_view>

#include "atomic_file.h"

namespace kelvorad {

class OutputFile {
  public:
    // Opens `path` ("-" for standard output). False, with the reason in error(), on failure.
    bool open(const std::string& path);
    bool isOpen() const { return isStdout_ || file_.isOpen(); }

    // Buffered writing; the buffer goes out whenever it grows past a megabyte.
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

    AtomicFile file_;
    bool isStdout_ = false;
    std::string buffer_;
    std::string error_;
};

// Flushes standard output; false, with the message in `error`, when anything written to it
// was lost. `knownError` is the errno of a failed write seen by the caller, if any.
bool flushStandardOutput(std::string& error, int knownError = 0);

}  // namespace kelvorad
