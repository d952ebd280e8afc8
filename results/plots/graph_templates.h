#pragma once
// Where graph templates are found and how gnuplot is told to run one. A template is a gnuplot
// script that reads the plot data files in gnuplot's working folder (where the calculation run
// wrote them) and, for the curves it draws under the data, grid files in the folder of the
// shipped templates, which it is given as the gnuplot variable kelvoradTemplates.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kelvorad {

// The program that runs templates, looked up on the PATH.
inline constexpr std::string_view kGnuplotProgram = "gnuplot";

struct GraphFolders {
    std::filesystem::path working;    // the plot data files; gnuplot runs here
    std::filesystem::path templates;  // the shipped templates and their grid files
};

// The process's current folder (where a run in the window writes the plot data files) and the
// data folder's "templates".
GraphFolders currentGraphFolders();

// The template to run for a bare template name: the copy in the working folder when there is
// one (a user's edited copy wins), else the shipped one. nullopt when neither folder has it,
// or when the name is empty.
std::optional<std::filesystem::path> findGraphTemplate(std::string_view templateName,
                                                       const GraphFolders& folders);

// A text as a gnuplot string constant in single quotes (a quote inside is doubled).
std::string gnuplotQuoted(std::string_view text);

// The gnuplot arguments that run `templatePath`: "-e" with the kelvoradTemplates assignment
// followed by `commands` (terminal and output, for instance), then the template itself.
std::vector<std::string> gnuplotArguments(const std::filesystem::path& templatePath,
                                          const std::filesystem::path& templatesFolder,
                                          std::string_view commands = {});

}  // namespace kelvorad
