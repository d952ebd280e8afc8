#pragma once
// The results window's graph commands: a Graph menu entry opens its fixed template, toolbar
// button 13 opens any template the user picks. Opening starts gnuplot on the template, detached
// and without waiting, in the working folder where the run wrote the plot data files, so that
// its window stays open on its own. Nothing is reported: a template that cannot be found or a
// gnuplot that cannot be started leaves the window as it was.

#include <filesystem>
#include <optional>
#include <string_view>
#include <vector>

#include "desktop_services.h"
#include "graph_templates.h"

namespace kelvorad {

// The filter of toolbar 13's file dialog, in the program's own form.
inline constexpr std::string_view kGraphTemplateFilter = "Grapher files(*.grf) |*.grf";

// Opens the template of that bare name (a Graph menu entry's templateFile): the working
// folder's copy when there is one, else the shipped one. Does nothing when neither exists.
void openGraphTemplate(std::string_view templateName, Shell& shell,
                       const GraphFolders& folders = currentGraphFolders());

// Starts gnuplot on a template path, detached, in its own plot window ("Open in gnuplot").
// False when gnuplot could not be started.
bool openTemplateInGnuplot(const std::filesystem::path& templatePath, Shell& shell,
                           const GraphFolders& folders);

// Toolbar 13's question: asks for a template with the filter above. The chosen file, a
// relative answer taken from the working folder; nullopt when the dialog was cancelled or the
// answer is not a file.
std::optional<std::filesystem::path> askForGraphTemplate(FileDialogs& dialogs,
                                                         const GraphFolders& folders);

// The gnuplot arguments that list its terminals ("set terminal"; the list goes to standard
// error), and whether such a list names a terminal that opens plot windows (qt, wxt or x11):
// only then can "Open in gnuplot" show anything.
std::vector<std::string> terminalListArguments();
bool listsWindowTerminal(std::string_view terminalList);

// Toolbar 13: asks for a template with the filter above and opens the chosen file. A cancelled
// dialog (an empty answer) or a path that is not a file opens nothing.
void pickGraphTemplate(FileDialogs& dialogs, Shell& shell,
                       const GraphFolders& folders = currentGraphFolders());

}  // namespace kelvorad
