#pragma once
// Where the program's own files live (graph templates, template workbooks, help, examples):
// <prefix>/share/kelvorad beside an installed binary, else the source tree's share/ folder.

#include <filesystem>

namespace kelvorad {

std::filesystem::path dataFolder();

// Overrides the data folder (tests point it at a folder of their own).
void setDataFolder(const std::filesystem::path& folder);

}  // namespace kelvorad
