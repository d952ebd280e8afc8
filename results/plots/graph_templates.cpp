#include "graph_templates.h"

#include <system_error>

#include "data_folder.h"

namespace kelvorad {

GraphFolders currentGraphFolders() {
    std::error_code error;
    std::filesystem::path working = std::filesystem::current_path(error);
    return {error ? std::filesystem::path(".") : working, dataFolder() / "templates"};
}

std::optional<std::filesystem::path> findGraphTemplate(std::string_view templateName,
                                                       const GraphFolders& folders) {
    if (templateName.empty()) return std::nullopt;
    for (const std::filesystem::path& folder : {folders.working, folders.templates}) {
        std::error_code error;
        const std::filesystem::path candidate = folder / templateName;
        if (std::filesystem::is_regular_file(candidate, error)) return candidate;
    }
    return std::nullopt;
}

std::string gnuplotQuoted(std::string_view text) {
    std::string quoted = "'";
    for (char c : text) {
        quoted += c;
        if (c == '\'') quoted += '\'';
    }
    quoted += '\'';
    return quoted;
}

std::vector<std::string> gnuplotArguments(const std::filesystem::path& templatePath,
                                          const std::filesystem::path& templatesFolder,
                                          std::string_view commands) {
    std::string setup = "kelvoradTemplates = " + gnuplotQuoted(templatesFolder.string());
    if (!commands.empty()) {
        setup += "; ";
        setup += commands;
    }
    return {"-e", setup, templatePath.string()};
}

}  // namespace kelvorad
