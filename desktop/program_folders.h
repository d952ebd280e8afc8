#pragma once
// Where the running program finds what ships with it. Installed, everything lies relative to
// the executable's folder <prefix>/bin: data in <prefix>/share/kelvorad, the workbook file
// library and helper programs in <prefix>/lib/kelvorad. Run from the build tree it was built in,
// it uses the source tree's share/ folder and the build tree's own outputs instead. An
// installed program never looks into a source or build tree, so a moved or deleted tree
// changes nothing for it.

#include <filesystem>
#include <string_view>

namespace kelvorad {

// The folder holding the running executable; empty when it cannot be told.
std::filesystem::path executableFolder();

// True when `executableFolder` lies inside `buildTree` (compared folder by folder, so
// /work/build2 is not inside /work/build). An empty folder is inside nothing.
bool isInsideFolder(const std::filesystem::path& executableFolder,
                    const std::filesystem::path& buildTree);

// True when the running executable is one of the build tree's own.
bool runsFromBuildTree();

// The data folder for an executable in `executableFolder`: <exe dir>/../share/kelvorad when
// installed; `sourceData` when the executable is in `buildTree` or its folder is unknown.
std::filesystem::path dataFolderFor(const std::filesystem::path& executableFolder,
                                    const std::filesystem::path& buildTree,
                                    const std::filesystem::path& sourceData);

// A file the program installs in <prefix>/lib/kelvorad (the workbook file library, helper
// programs): there when the program runs installed, else `buildTreePath`.
std::filesystem::path programLibraryFile(std::string_view fileName,
                                         const std::filesystem::path& buildTreePath);

}  // namespace kelvorad
