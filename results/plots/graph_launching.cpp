#include "graph_launching.h"

#include <array>
#include <system_error>

namespace kelvorad {

namespace {

constexpr std::array<std::string_view, 3> kWindowTerminals{"qt", "wxt", "x11"};

}  // namespace

// -persist keeps gnuplot's plot window open after gnuplot has read the script and ended.
bool openTemplateInGnuplot(const std::filesystem::path& templatePath, Shell& shell,
                           const GraphFolders& folders) {
    std::vector<std::string> arguments = gnuplotArguments(templatePath, folders.templates);
    arguments.insert(arguments.begin(), "-persist");
    return shell.startDetached(std::string(kGnuplotProgram), arguments, folders.working.string());
}

std::optional<std::filesystem::path> askForGraphTemplate(FileDialogs& dialogs,
                                                         const GraphFolders& folders) {
    const std::string chosen =
        dialogs.askOpenFileName("Open Graph Template", std::string(kGraphTemplateFilter));
    if (chosen.empty()) return std::nullopt;
    // The dialog gives a full path; a relative one is taken from the working folder.
    const std::filesystem::path path = folders.working / chosen;
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) return std::nullopt;
    return path;
}

std::vector<std::string> terminalListArguments() {
    return {"-e", "set terminal"};
}

// Each line of the list starts with a terminal's name, right-aligned, then its description.
bool listsWindowTerminal(std::string_view terminalList) {
    while (!terminalList.empty()) {
        const std::size_t end = terminalList.find('\n');
        std::string_view line = terminalList.substr(0, end);
        const std::size_t first = line.find_first_not_of(" \t");
        if (first != std::string_view::npos) {
            line.remove_prefix(first);
            const std::string_view name = line.substr(0, line.find_first_of(" \t"));
            for (std::string_view terminal : kWindowTerminals) {
                if (name == terminal) return true;
            }
        }
        if (end == std::string_view::npos) break;
        terminalList.remove_prefix(end + 1);
    }
    return false;
}

void openGraphTemplate(std::string_view templateName, Shell& shell, const GraphFolders& folders) {
    if (const auto path = findGraphTemplate(templateName, folders)) {
        openTemplateInGnuplot(*path, shell, folders);
    }
}

void pickGraphTemplate(FileDialogs& dialogs, Shell& shell, const GraphFolders& folders) {
    if (const auto path = askForGraphTemplate(dialogs, folders)) {
        openTemplateInGnuplot(*path, shell, folders);
    }
}

}  // namespace kelvorad
