#include "program_folders.h"

#include <system_error>

namespace kelvorad {

namespace {
// The installed layout, relative to <prefix>, as the install rules make it.
constexpr std::string_view kInstalledData = KELVORAD_INSTALL_DATA_DIR;
constexpr std::string_view kInstalledLibrary = KELVORAD_INSTALL_PRIVATE_DIR;

std::filesystem::path installPrefix(const std::filesystem::path& executableFolder) {
    return executableFolder.parent_path();
}

// The folder with links resolved (as /proc/self/exe gives it) and no trailing separator.
std::filesystem::path comparable(const std::filesystem::path& folder) {
    std::error_code error;
    const auto canonical = std::filesystem::weakly_canonical(folder, error);
    auto normal = (error ? folder : canonical).lexically_normal();
    if (normal.has_relative_path() && normal.filename().empty()) normal = normal.parent_path();
    return normal;
}
}  // namespace

std::filesystem::path executableFolder() {
    std::error_code error;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::path() : exe.parent_path();
}

bool isInsideFolder(const std::filesystem::path& executableFolder,
                    const std::filesystem::path& buildTree) {
    if (executableFolder.empty() || buildTree.empty()) return false;
    const auto inner = comparable(executableFolder);
    const auto outer = comparable(buildTree);
    auto i = inner.begin();
    for (const auto& part : outer) {
        if (i == inner.end() || *i != part) return false;
        ++i;
    }
    return true;
}

bool runsFromBuildTree() {
    return isInsideFolder(executableFolder(), KELVORAD_BUILD_DIR);
}

std::filesystem::path dataFolderFor(const std::filesystem::path& executableFolder,
                                    const std::filesystem::path& buildTree,
                                    const std::filesystem::path& sourceData) {
    if (executableFolder.empty() || isInsideFolder(executableFolder, buildTree)) {
        return sourceData;
    }
    return installPrefix(executableFolder) / kInstalledData;
}

std::filesystem::path programLibraryFile(std::string_view fileName,
                                         const std::filesystem::path& buildTreePath) {
    const auto folder = executableFolder();
    if (folder.empty() || runsFromBuildTree()) return buildTreePath;
    return installPrefix(folder) / kInstalledLibrary / fileName;
}

}  // namespace kelvorad
