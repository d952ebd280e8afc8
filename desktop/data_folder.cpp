#include "data_folder.h"

#include "program_folders.h"

namespace kelvorad {

namespace {
std::filesystem::path& overrideFolder() {
    static std::filesystem::path folder;
    return folder;
}
}  // namespace

void setDataFolder(const std::filesystem::path& folder) {
    overrideFolder() = folder;
}

std::filesystem::path dataFolder() {
    if (!overrideFolder().empty()) return overrideFolder();
    return dataFolderFor(executableFolder(), KELVORAD_BUILD_DIR, KELVORAD_SOURCE_DATA_DIR);
}

}  // namespace kelvorad
