#pragma once
// The Help command of the main and results windows: the user manual shipped in the data
// folder, opened in the desktop's program for HTML files.

#include <filesystem>

#include "desktop_services.h"

namespace kelvorad {

// dataFolder()/help/kelvorad.html
std::filesystem::path helpFilePath();

// Hands the manual's path to the shell. Whether the shell could open it is not checked and
// nothing is reported, not even for a missing file.
void showHelp(Shell& shell);

}  // namespace kelvorad
