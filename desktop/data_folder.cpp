#include "data_folder.h"

#include <system_error>

namespace kelvorad {

namespace {
std::filesystem::path& overrideFolder() {
    static std::filesystem::path folder;
    return folder;
}

std::filesystem::path executableFolder() {
    std::error_code error;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::path() : exe.parent_path();
}
}  // namespace

void setDataFolder(const std::filesystem::path& folder) {
    overrideFolder() = folder;
}

std::filesystem::path dataFolder() {
    if (!overrideFolder().empty()) return overrideFolder();
    std::error_code error;
    const auto installed = executableFolder().parent_path() / "share" / "kelvorad";
    if (std::filesystem::is_directory(installed / "templates", error)) return installed;
    return KELVORAD_SOURCE_DATA_DIR;
}

}  // namespace kelvorad
