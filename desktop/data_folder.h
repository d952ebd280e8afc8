#pragma once
// Where the program's own files live (graph templates, template workbooks, help, examples):
// <prefix>/share/kelvorad for an installed program (whether or not the folder exists), the
// source tree's share/ folder for the build tree's programs.

#include <filesystem>

namespace kelvorad {

std::filesystem::path dataFolder();

// Overrides the data folder (tests point it at a folder of their own).
void setDataFolder(const std::filesystem::path& folder);

}  // namespace kelvorad
