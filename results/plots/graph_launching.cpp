#include "graph_launching.h"

#include <system_error>

namespace kelvorad {

namespace {

// Starts gnuplot on a template; -persist keeps its plot window open after gnuplot has read
// the script and ended. Whether it started is of no interest to the window.
void startGnuplot(const std::filesystem::path& templatePath, Shell& shell,
                  const GraphFolders& folders) {
    std::vector<std::string> arguments = gnuplotArguments(templatePath, folders.templates);
    arguments.insert(arguments.begin(), "-persist");
    shell.startDetached(std::string(kGnuplotProgram), arguments, folders.working.string());
}

}  // namespace

void openGraphTemplate(std::string_view templateName, Shell& shell, const GraphFolders& folders) {
    if (const auto path = findGraphTemplate(templateName, folders)) {
        startGnuplot(*path, shell, folders);
    }
}

void pickGraphTemplate(FileDialogs& dialogs, Shell& shell, const GraphFolders& folders) {
    const std::string chosen =
        dialogs.askOpenFileName("Open Graph Template", std::string(kGraphTemplateFilter));
    if (chosen.empty()) return;
    // The dialog gives a full path; a relative one is taken from the working folder.
    const std::filesystem::path path = folders.working / chosen;
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) return;
    startGnuplot(path, shell, folders);
}

}  // namespace kelvorad
