#include "results_saving.h"

#include <unistd.h>

#include <filesystem>

#include "grid_transfer.h"
#include "results_workbook.h"

namespace kelvorad {

void appendTableLines(ResultsTable& table, std::string_view lines) {
    while (!lines.empty()) {
        const std::size_t end = lines.find('\n');
        table.appendResultsRow(lines.substr(0, end));
        if (end == std::string_view::npos) break;
        lines.remove_prefix(end + 1);
    }
}

std::string saveResultsWorkbook(const ResultsTable& table, const RunRecord& record,
                                const std::string& path) {
    // A workbook is a file: a temporary workbook renamed over a device or pipe would replace it.
    std::error_code kindError;
    const std::filesystem::file_status target = std::filesystem::status(path, kindError);
    if (!kindError && std::filesystem::exists(target) &&
        !std::filesystem::is_regular_file(target)) {
        return "cannot write '" + path + "': not a regular file";
    }
    const std::string temporary = path + ".new" + std::to_string(::getpid()) + ".xlsx";
    std::error_code ec;
    std::filesystem::remove(temporary, ec);
    const Status status = writeResultsWorkbookFile(table, {record}, temporary);
    if (!status.ok()) {
        std::filesystem::remove(temporary, ec);
        return status.error();
    }
    std::filesystem::rename(temporary, path, ec);
    if (ec) {
        std::filesystem::remove(temporary, ec);
        return "cannot write '" + path + "': " + ec.message();
    }
    return "";
}

}  // namespace kelvorad
