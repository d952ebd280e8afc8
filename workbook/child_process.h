#pragma once
// Running a risky piece of work in a child process. The .xls library is not safe on damaged
// files (a crafted file makes it write outside its buffers), so it reads .xls files in a
// child: whatever the file does to it, the program itself lives on and gets a failure.

#include <chrono>
#include <functional>
#include <string>

#include "result.h"

namespace kelvorad {

// Runs `work` in a forked child process and gives back the text it produced (or its failure).
// The child's crash, a signal, or running longer than `limit` (the child is then killed) give
// a failure saying so. The child's standard output and error are discarded. The work must
// not rely on other threads of the program.
Result<std::string> runInChildProcess(const std::function<Result<std::string>()>& work,
                                      std::chrono::milliseconds limit);

}  // namespace kelvorad
