#pragma once
// Running an outside program and waiting for it (the command line renders graphs this way).

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace kelvorad {

// Where a program would be started from: `program` itself when it holds a "/", else the first
// executable file of that name in the ":"-separated folders of `searchPath` (the PATH
// variable). The empty path when there is none.
std::filesystem::path findProgram(std::string_view program, std::string_view searchPath);

// The process's PATH variable ("" when unset).
std::string_view environmentSearchPath();

// Runs `program` with `arguments` in `workingDirectory` and waits for it to end. Standard input
// is /dev/null; standard error goes to `errorFile` when one is given (it is created or
// truncated), else to this process's. Returns the program's exit status, or -1 when it could
// not be started (or the error file not created) or it ended by a signal.
int runProgram(const std::filesystem::path& program, const std::vector<std::string>& arguments,
               const std::filesystem::path& workingDirectory,
               const std::filesystem::path& errorFile = {});

}  // namespace kelvorad
