#include "child_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <exception>

namespace kelvorad {

namespace {

constexpr char kSucceeded = '+';
constexpr char kFailed = '-';

bool writeAll(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t written = write(fd, data, size);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        data += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

// Points the child's standard output and error at /dev/null: what a library prints while it
// struggles with a damaged file is not the user's concern, the failure that comes back is.
void silenceOutput() {
    const int null = open("/dev/null", O_WRONLY);
    if (null < 0) return;
    dup2(null, STDOUT_FILENO);
    dup2(null, STDERR_FILENO);
    close(null);
}

[[noreturn]] void runChild(int fd, const std::function<Result<std::string>()>& work) {
    silenceOutput();
    std::string message(1, kFailed);
    try {
        const Result<std::string> result = work();
        message = result.ok() ? kSucceeded + result.value() : kFailed + result.error();
    } catch (const std::exception& e) {
        message += e.what();
    } catch (...) {
        message += "the reader failed";
    }
    const bool sent = writeAll(fd, message.data(), message.size());
    close(fd);
    _exit(sent ? 0 : 1);  // no exit handlers: they belong to the parent
}

}  // namespace

Result<std::string> runInChildProcess(const std::function<Result<std::string>()>& work,
                                      std::chrono::milliseconds limit) {
    int fds[2];
    if (pipe(fds) != 0) return Failure{std::string("cannot start a reader: ") + strerror(errno)};
    const pid_t child = fork();
    if (child < 0) {
        close(fds[0]);
        close(fds[1]);
        return Failure{std::string("cannot start a reader: ") + strerror(errno)};
    }
    if (child == 0) {
        close(fds[0]);
        runChild(fds[1], work);
    }
    close(fds[1]);

    std::string received;
    bool timedOut = false;
    const auto deadline = std::chrono::steady_clock::now() + limit;
    char buffer[65536];
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            timedOut = true;
            break;
        }
        pollfd readable{fds[0], POLLIN, 0};
        const int ready = poll(&readable, 1, static_cast<int>(left.count()));
        if (ready < 0 && errno == EINTR) continue;
        if (ready <= 0) continue;  // the deadline is checked again above
        const ssize_t got = read(fds[0], buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) break;  // the child closed its end
        received.append(buffer, static_cast<std::size_t>(got));
    }
    close(fds[0]);
    if (timedOut) kill(child, SIGKILL);
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (timedOut) return Failure{"reading took too long and was stopped"};
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || received.empty()) {
        return Failure{"the reader stopped on damaged data"};
    }
    if (received[0] != kSucceeded) return Failure{received.substr(1)};
    return received.substr(1);
}

}  // namespace kelvorad
