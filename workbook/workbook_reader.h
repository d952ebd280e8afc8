#pragma once
// Reading a workbook file of any of the supported kinds into memory, in a process of its own.
//
// The libraries that read workbooks are not safe on damaged files (a crafted .xls makes the .xls
// library read and write outside its buffers; some XML makes the .xlsx library stop the whole
// process). So the program never reads a workbook itself: it starts the workbook reader, a
// small program installed beside it (kelvorad-read-workbook), which reads the file and hands
// the cells back on a pipe. Whatever the file does to the reader, the program lives on and gets
// one message naming the file and what happened, and its tables stay as they were.

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <stop_token>

#include "result.h"
#include "workbook_data.h"

namespace kelvorad {

struct WorkbookReadLimits {
    // The address space the reader may use (set with RLIMIT_AS; not in sanitizer builds, whose
    // shadow memory needs far more).
    std::uint64_t memoryBytes = 1ull << 30;
    // The reader is stopped after this long.
    std::chrono::milliseconds time{10'000};
    // The largest workbook the reader may hand back, as encoded bytes.
    std::uint64_t resultBytes = 256ull << 20;
};

// Reads an .xlsx, .xls or .ods file, telling the kind from the content rather than from the
// name. A missing, unreadable, unknown, malformed, damaged or oversized (above 256 MiB) file, a
// reader that crashes or runs out of memory or time, or a `stop` request, gives a failure whose
// message names the file and says what happened. Safe to call from any thread.
Result<WorkbookData> readWorkbookFile(const std::filesystem::path& path,
                                      const WorkbookReadLimits& limits = {},
                                      std::stop_token stop = {});

// The same through the reader program `reader` (tests give it a program of their own).
Result<WorkbookData> readWorkbookFileWith(const std::filesystem::path& reader,
                                          const std::filesystem::path& path,
                                          const WorkbookReadLimits& limits,
                                          std::stop_token stop = {});

// The workbook reader program: in <prefix>/lib/kelvorad/ of an installed program, beside the
// calling program, or in the build tree, first found first; empty when there is none.
std::filesystem::path workbookReaderProgram();

}  // namespace kelvorad
