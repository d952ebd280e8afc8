// Writing workbook files through the workbook file library, loaded the first time it is needed:
// first from the installed layout (<prefix>/lib/kelvorad beside <prefix>/bin), else from the
// build tree. A library that cannot be loaded makes every call fail with the reason, so the
// caller reports it like any workbook that cannot be written.
#include <dlfcn.h>

#include <filesystem>
#include <system_error>

#include "workbook_files_entry.h"
#include "xlsx_writer.h"

namespace kelvorad {

namespace {

constexpr const char* kLibraryName = "libkelvorad_workbook_files.so";

struct WorkbookFilesLibrary {
    KelvoradWriteXlsxFile* write = nullptr;
    std::string problem;  // why it could not be loaded
};

std::filesystem::path installedLibrary() {
    std::error_code error;
    const auto program = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) return {};
    return program.parent_path().parent_path() / "lib" / "kelvorad" / kLibraryName;
}

WorkbookFilesLibrary load() {
    WorkbookFilesLibrary library;
    void* handle = nullptr;
    std::error_code error;
    const std::filesystem::path installed = installedLibrary();
    if (!installed.empty() && std::filesystem::exists(installed, error)) {
        handle = dlopen(installed.c_str(), RTLD_NOW | RTLD_LOCAL);
    }
    if (!handle) handle = dlopen(KELVORAD_WORKBOOK_FILES_BUILD_PATH, RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        const char* reason = dlerror();
        library.problem = std::string("the workbook file library cannot be loaded (") +
                          (reason ? reason : kLibraryName) + ")";
        return library;
    }
    library.write = reinterpret_cast<KelvoradWriteXlsxFile*>(dlsym(handle, kWriteXlsxFileSymbol));
    if (!library.write) library.problem = "the workbook file library lacks its entry point";
    return library;
}

const WorkbookFilesLibrary& library() {
    static const WorkbookFilesLibrary loaded = load();
    return loaded;
}

}  // namespace

Status writeXlsxFile(const WorkbookData& workbook, const std::filesystem::path& target) {
    const WorkbookFilesLibrary& files = library();
    if (!files.problem.empty()) return Failure{target.string() + ": " + files.problem};
    std::string error;
    if (!files.write(&workbook, target.c_str(), &error)) return Failure{error};
    return {};
}

}  // namespace kelvorad
