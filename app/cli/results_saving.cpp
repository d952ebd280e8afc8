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
