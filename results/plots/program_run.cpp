#include "program_run.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

extern char** environ;

namespace kelvorad {

std::filesystem::path findProgram(std::string_view program, std::string_view searchPath) {
    if (program.empty()) return {};
    if (program.find('/') != std::string_view::npos) {
        const std::string path(program);
        return ::access(path.c_str(), X_OK) == 0 ? std::filesystem::path(path)
                                                 : std::filesystem::path();
    }
    while (true) {
        const std::size_t colon = searchPath.find(':');
        std::string_view folder = searchPath.substr(0, colon);
        if (folder.empty()) folder = ".";  // an empty entry means the current folder
        const std::filesystem::path candidate = std::filesystem::path(folder) / program;
        std::error_code error;
        if (std::filesystem::is_regular_file(candidate, error) &&
            ::access(candidate.c_str(), X_OK) == 0) {
            return candidate;
        }
        if (colon == std::string_view::npos) return {};
        searchPath.remove_prefix(colon + 1);
    }
}

std::string_view environmentSearchPath() {
    const char* path = std::getenv("PATH");
    return path ? path : "";
}

namespace {

// posix_spawn file actions, released however the function returns.
class SpawnActions {
  public:
    SpawnActions() { ok_ = ::posix_spawn_file_actions_init(&actions_) == 0; }
    ~SpawnActions() {
        if (ok_) ::posix_spawn_file_actions_destroy(&actions_);
    }
    SpawnActions(const SpawnActions&) = delete;
    SpawnActions& operator=(const SpawnActions&) = delete;

    bool ok() const { return ok_; }
    posix_spawn_file_actions_t* get() { return &actions_; }
    void add(int result) { ok_ = ok_ && result == 0; }

  private:
    posix_spawn_file_actions_t actions_;
    bool ok_;
};

}  // namespace

int runProgram(const std::filesystem::path& program, const std::vector<std::string>& arguments,
               const std::filesystem::path& workingDirectory,
               const std::filesystem::path& errorFile) {
    SpawnActions actions;
    actions.add(
        ::posix_spawn_file_actions_addopen(actions.get(), STDIN_FILENO, "/dev/null", O_RDONLY, 0));
    if (!errorFile.empty()) {
        actions.add(::posix_spawn_file_actions_addopen(
            actions.get(), STDERR_FILENO, errorFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644));
    }
    if (!workingDirectory.empty()) {
        actions.add(
            ::posix_spawn_file_actions_addchdir_np(actions.get(), workingDirectory.c_str()));
    }
    if (!actions.ok()) return -1;

    const std::string programText = program.string();
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(programText.c_str()));
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);

    pid_t child = 0;
    if (::posix_spawn(&child, programText.c_str(), actions.get(), nullptr, argv.data(), environ) !=
        0) {
        return -1;
    }
    int status = 0;
    while (::waitpid(child, &status, 0) < 0) {
        if (errno != EINTR) return -1;
    }
    // A child that could not open its files or folder, or exec the program, ends with 127.
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace kelvorad
