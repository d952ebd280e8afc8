#include "help_file.h"

#include "data_folder.h"

namespace kelvorad {

std::filesystem::path helpFilePath() {
    return dataFolder() / "help" / "kelvorad.html";
}

void showHelp(Shell& shell) {
    shell.openDocument(helpFilePath().string());
}

}  // namespace kelvorad
