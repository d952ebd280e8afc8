#include "results_saving.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "atomic_file.h"
#include "grid_transfer.h"
#include "results_workbook.h"

namespace kelvorad {

namespace fs = std::filesystem;

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
    AtomicFile file;
    if (!file.open(path)) return path + ": " + file.reason();
    // Made in a scratch folder, so that the workbook component creates it new rather than
    // opening an older workbook at `path`, then put in place as one output file.
    std::error_code ec;
    const fs::path scratch =
        fs::temp_directory_path(ec) / ("kelvorad-results-" + std::to_string(::getpid()) + ".xlsx");
    if (ec) return path + ": " + ec.message();
    fs::remove(scratch, ec);
    const Status status = writeResultsWorkbookFile(table, {record}, scratch);
    std::string bytes;
    if (status.ok()) {
        std::ifstream in(scratch, std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    fs::remove(scratch, ec);
    if (!status.ok()) return path + ": " + status.error();
    if (bytes.empty()) return path + ": the workbook made could not be read back";
    if (!file.write(bytes) || !file.commit()) return path + ": " + file.reason();
    return "";
}

}  // namespace kelvorad
