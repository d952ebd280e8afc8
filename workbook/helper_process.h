#pragma once
// Running a helper program and collecting what it writes, within limits. The program is started
// with posix_spawn (no fork of the calling process, so locks other threads hold cannot reach
// it); its standard input is /dev/null, its standard output comes back here, and its standard
// error is the caller's, so that what it reports (a sanitizer's findings, say) is not lost.

#include <chrono>
#include <cstddef>
#include <filesystem>
#include <stop_token>
#include <string>
#include <vector>

namespace kelvorad {

struct HelperLimits {
    std::chrono::milliseconds time{10'000};  // the helper is killed after this long
    std::size_t outputBytes = 0;             // ... or once it wrote more than this
};

struct HelperOutcome {
    enum class Ending { Exited, Signalled, TimedOut, Cancelled, OutputTooLarge, NotStarted };
    Ending ending = Ending::NotStarted;
    int status = 0;       // Exited: the exit code; Signalled: the signal number
    std::string output;   // what it wrote on its standard output
    std::string problem;  // NotStarted: why
};

// Runs `program` with `arguments` and waits for it to end, at most for `limits.time`; it is
// killed (SIGKILL) when that time is up, when it writes more than `limits.outputBytes`, or
// when `stop` is requested, which is looked at every 50 ms. Safe to call from any thread.
HelperOutcome runHelperProgram(const std::filesystem::path& program,
                               const std::vector<std::string>& arguments,
                               const HelperLimits& limits, std::stop_token stop = {});

}  // namespace kelvorad
