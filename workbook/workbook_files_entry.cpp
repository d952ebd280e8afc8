// The entry point of the workbook file library (libkelvorad_workbook_files.so): writing .xlsx
// files. The program loads this library the first time it writes a workbook, so that
// libxlsxwriter, whose loading alone takes several milliseconds, costs nothing to a run that
// writes none. (Workbooks are read by the workbook reader program, see workbook_reader.h.)
#include "workbook_files_entry.h"

#include "xlsx_writer.h"

using kelvorad::WorkbookData;

extern "C" {

KELVORAD_WORKBOOK_FILES_EXPORT bool kelvorad_write_xlsx_file(const WorkbookData* workbook,
                                                             const char* target,
                                                             std::string* error) {
    const kelvorad::Status written = kelvorad::writeXlsxFile(*workbook, target);
    if (!written) *error = written.error();
    return written.ok();
}

}  // extern "C"
