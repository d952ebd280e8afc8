// The entry points of the workbook file library (libkelvorad_workbook_files.so): reading
// .xlsx, .ods and .xls files and writing .xlsx files. The program loads this library the first
// time it reads or writes a workbook, so that the workbook libraries it stands on (liborcus,
// libfreexl, libxlsxwriter), whose loading alone takes several milliseconds, cost nothing to a
// run that touches no workbook.
#include "workbook_files_entry.h"

#include "workbook_reader.h"
#include "xlsx_writer.h"

using kelvorad::WorkbookData;

extern "C" {

KELVORAD_WORKBOOK_FILES_EXPORT bool kelvorad_read_workbook_file(const char* path,
                                                                WorkbookData* workbook,
                                                                std::string* error) {
    auto read = kelvorad::readWorkbookFile(path);
    if (!read) {
        *error = read.error();
        return false;
    }
    *workbook = std::move(read.value());
    return true;
}

KELVORAD_WORKBOOK_FILES_EXPORT int kelvorad_detect_workbook_format(const char* path) {
    const auto format = kelvorad::detectWorkbookFormat(path);
    return format ? static_cast<int>(*format) : -1;
}

KELVORAD_WORKBOOK_FILES_EXPORT bool kelvorad_write_xlsx_file(const WorkbookData* workbook,
                                                             const char* target,
                                                             std::string* error) {
    const kelvorad::Status written = kelvorad::writeXlsxFile(*workbook, target);
    if (!written) *error = written.error();
    return written.ok();
}

}  // extern "C"
