#include "helper_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <optional>

extern char** environ;

namespace kelvorad {

namespace {

using Clock = std::chrono::steady_clock;
constexpr std::chrono::milliseconds kStopCheck{50};

// Closes a descriptor when it goes out of scope.
class Descriptor {
  public:
    explicit Descriptor(int fd = -1) : fd_(fd) {}
    ~Descriptor() { reset(); }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }
    void reset() {
        if (fd_ >= 0) close(fd_);
        fd_ = -1;
    }

  private:
    int fd_;
};

// Spawn settings: output into `pipeEnd`, input from /dev/null, every signal at its default
// and none blocked, whatever the caller set for itself, and a process group of its own, so
// that killing it reaches whatever it started too.
class SpawnSettings {
  public:
    explicit SpawnSettings(int pipeEnd) {
        posix_spawn_file_actions_init(&actions_);
        posix_spawn_file_actions_adddup2(&actions_, pipeEnd, STDOUT_FILENO);
        posix_spawn_file_actions_addopen(&actions_, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
        posix_spawnattr_init(&attributes_);
        sigset_t none, all;
        sigemptyset(&none);
        sigfillset(&all);
        posix_spawnattr_setsigmask(&attributes_, &none);
        posix_spawnattr_setsigdefault(&attributes_, &all);
        posix_spawnattr_setpgroup(&attributes_, 0);
        posix_spawnattr_setflags(
            &attributes_, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETPGROUP);
    }
    ~SpawnSettings() {
        posix_spawn_file_actions_destroy(&actions_);
        posix_spawnattr_destroy(&attributes_);
    }
    SpawnSettings(const SpawnSettings&) = delete;
    SpawnSettings& operator=(const SpawnSettings&) = delete;
    const posix_spawn_file_actions_t* actions() const { return &actions_; }
    const posix_spawnattr_t* attributes() const { return &attributes_; }

  private:
    posix_spawn_file_actions_t actions_;
    posix_spawnattr_t attributes_;
};

void recordEnding(int status, HelperOutcome& outcome) {
    if (WIFSIGNALED(status)) {
        outcome.ending = HelperOutcome::Ending::Signalled;
        outcome.status = WTERMSIG(status);
    } else {
        outcome.ending = HelperOutcome::Ending::Exited;
        outcome.status = WEXITSTATUS(status);
    }
}

// Waits for the child to end and records how it did.
void reap(pid_t child, HelperOutcome& outcome) {
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    recordEnding(status, outcome);
}

// True once the child has ended (and is reaped into `outcome`).
bool reapIfEnded(pid_t child, HelperOutcome& outcome) {
    int status = 0;
    if (waitpid(child, &status, WNOHANG) != child) return false;
    recordEnding(status, outcome);
    return true;
}

}  // namespace

HelperOutcome runHelperProgram(const std::filesystem::path& program,
                               const std::vector<std::string>& arguments,
                               const HelperLimits& limits, std::stop_token stop) {
    HelperOutcome outcome;
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) {
        outcome.problem = std::strerror(errno);
        return outcome;
    }
    Descriptor readEnd(fds[0]);
    Descriptor writeEnd(fds[1]);

    std::vector<std::string> texts{program.string()};
    texts.insert(texts.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& text : texts) argv.push_back(text.data());
    argv.push_back(nullptr);

    pid_t child = 0;
    {
        const SpawnSettings settings(writeEnd.get());
        const int failed = posix_spawn(&child, program.c_str(), settings.actions(),
                                       settings.attributes(), argv.data(), environ);
        if (failed != 0) {
            outcome.problem = std::strerror(failed);
            return outcome;
        }
    }
    writeEnd.reset();  // the child holds the only writing end: its end is ours to see

    const auto deadline = Clock::now() + limits.time;
    std::optional<HelperOutcome::Ending> stopped;
    bool outputClosed = false;
    char buffer[65536];
    while (!stopped) {
        if (stop.stop_requested()) {
            stopped = HelperOutcome::Ending::Cancelled;
            break;
        }
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0) {
            stopped = HelperOutcome::Ending::TimedOut;
            break;
        }
        if (outputClosed) {
            // It closed its output; it must still end within the time.
            if (reapIfEnded(child, outcome)) return outcome;
            poll(nullptr, 0,
                 static_cast<int>(std::min(left, std::chrono::milliseconds{5}).count()));
            continue;
        }
        pollfd readable{readEnd.get(), POLLIN, 0};
        const int ready = poll(&readable, 1, static_cast<int>(std::min(left, kStopCheck).count()));
        if (ready <= 0) continue;  // EINTR or nothing yet: the limits are looked at again
        const ssize_t got = read(readEnd.get(), buffer, sizeof buffer);
        if (got < 0 && (errno == EINTR || errno == EAGAIN)) continue;
        if (got <= 0) {
            outputClosed = true;
            continue;
        }
        outcome.output.append(buffer, static_cast<std::size_t>(got));
        if (outcome.output.size() > limits.outputBytes) {
            stopped = HelperOutcome::Ending::OutputTooLarge;
        }
    }
    kill(-child, SIGKILL);  // its whole group
    reap(child, outcome);
    outcome.ending = *stopped;
    return outcome;
}

}  // namespace kelvorad
