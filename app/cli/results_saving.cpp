#include "results_saving.h"

#include "grid_transfer.h"

namespace kelvorad {

void appendTableLines(ResultsTable& table, std::string_view lines) {
    while (!lines.empty()) {
        const std::size_t end = lines.find('\n');
        table.appendResultsRow(lines.substr(0, end));
        if (end == std::string_view::npos) break;
        lines.remove_prefix(end + 1);
    }
}

std::string saveResultsWorkbook(const ResultsTable& table, const std::string& path) {
    const Status status = writeGridAsNewWorkbookFile(table, path);
    return status.ok() ? "" : status.error();
}

}  // namespace kelvorad
