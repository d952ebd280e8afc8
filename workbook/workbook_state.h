#pragma once
// The state behind the component's handles (internal to the component).

#include <filesystem>
#include <memory>
#include <optional>
#include <set>
#include <utility>
#include <vector>

#include "desktop_services.h"
#include "file_stamp.h"
#include "result.h"
#include "workbook_data.h"

namespace kelvorad::detail {

struct WorkbookState {
    std::filesystem::path source;  // the file it was opened from, absolute
    std::filesystem::path target;  // where saves go
    WorkbookData data;
    bool changed = false;
    // The target's stamp when this workbook last read or wrote it; nullopt if it never did.
    std::optional<FileStamp> syncedStamp;
    // The cells put since the last read or write of the target (sheet index, address).
    std::set<std::pair<std::size_t, CellAddress>> putSinceSync;

    // The file that holds the workbook's content on disk: the target once this workbook read
    // or wrote it, else the file it was opened from.
    const std::filesystem::path& fileOnDisk() const { return syncedStamp ? target : source; }
};

// Saves `workbook` at its target (see Workbook::save) and marks it unchanged.
Status saveWorkbookState(WorkbookState& workbook);

struct ApplicationState {
    explicit ApplicationState(Shell& shell) : shell(&shell) {}
    Shell* shell;
    bool visible = false;
    bool quit = false;
    std::vector<std::shared_ptr<WorkbookState>> workbooks;
};

}  // namespace kelvorad::detail
