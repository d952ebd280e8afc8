// Writing workbook files through the workbook file library, loaded the first time it is needed:
// from <prefix>/lib/kelvorad when the program is installed, from the build tree when it runs
// there. A library that cannot be loaded makes every call fail with the reason, so the caller
// reports it like any workbook that cannot be written.
#include <dlfcn.h>

#include "program_folders.h"
#include "workbook_files_entry.h"
#include "xlsx_writer.h"

namespace kelvorad {

namespace {

constexpr const char* kLibraryName = "libkelvorad_workbook_files.so";

struct WorkbookFilesLibrary {
    KelvoradWriteXlsxFile* write = nullptr;
    std::string problem;  // why it could not be loaded
};

WorkbookFilesLibrary load() {
    WorkbookFilesLibrary library;
    const std::filesystem::path path =
        programLibraryFile(kLibraryName, KELVORAD_WORKBOOK_FILES_BUILD_PATH);
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
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
