#include "workbook_state.h"

#include "workbook_reader.h"
#include "xlsx_writer.h"

namespace kelvorad::detail {

namespace fs = std::filesystem;

std::optional<FileStamp> stampOf(const fs::path& path) {
    std::error_code error;
    FileStamp stamp;
    stamp.modified = fs::last_write_time(path, error);
    if (error) return std::nullopt;
    stamp.size = fs::file_size(path, error);
    if (error) return std::nullopt;
    return stamp;
}

namespace {

// Lays the cells this program put since the last sync over a fresh reading of the target.
void layPutCellsOver(WorkbookData& fresh, const WorkbookState& workbook) {
    for (const auto& [sheet, address] : workbook.putSinceSync) {
        if (sheet >= workbook.data.sheets.size()) continue;
        while (fresh.sheets.size() <= sheet) {
            fresh.sheets.push_back(SheetData{workbook.data.sheets[fresh.sheets.size()].name, {}});
        }
        const auto& ours = workbook.data.sheets[sheet].cells;
        auto& theirs = fresh.sheets[sheet].cells;
        if (const auto cell = ours.find(address); cell != ours.end()) {
            theirs.insert_or_assign(address, cell->second);
        } else {
            theirs.erase(address);
        }
    }
}

}  // namespace

Status saveWorkbookState(WorkbookState& workbook) {
    const auto onDisk = stampOf(workbook.target);
    // A target that is a copy saved from another file (an .xls or .ods workbook) and was never
    // written in this session is an older copy: the workbook in memory replaces it.
    const bool ownFile = workbook.syncedStamp || workbook.source == workbook.target;
    if (onDisk && onDisk != workbook.syncedStamp && ownFile) {
        // Someone else wrote the file since we last read or wrote it (the user saving in the
        // desktop program): keep their cells and lay ours over them.
        auto fresh = readWorkbookFile(workbook.target);
        if (!fresh) {
            return Failure{fresh.error() +
                           " (it was changed by another program and is not "
                           "overwritten)"};
        }
        layPutCellsOver(fresh.value(), workbook);
        fresh->format = WorkbookFormat::Xlsx;
        workbook.data = std::move(fresh.value());
    }
    const Status written = writeXlsxFile(workbook.data, workbook.target);
    if (!written) return written;
    workbook.changed = false;
    workbook.putSinceSync.clear();
    workbook.syncedStamp = stampOf(workbook.target);
    return {};
}

}  // namespace kelvorad::detail
