// Fuzzes the reading of analysis files (.mi): any bytes give a table whose cells are valid
// UTF-8 and whose layout (351 rows by 36 columns, headers, row numbers) is untouched.

#include <cstdint>

#include "analysis_file.h"
#include "analysis_table.h"
#include "fuzz_check.h"

using namespace kelvorad;
using kelvorad::fuzz::require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const AnalysisTable fresh;
    // One table for all inputs, laid out afresh each time as New File does (building a 351 x 36
    // table cost more than reading), and the bytes read from memory as the file reader does
    // once it has them.
    static AnalysisTable table;
    table.clearTable();
    const FileResult result = readAnalysisBytes(table, fuzz::bytesOf(data, size));
    require(result.ok(), "an analysis file's bytes are read");
    require(result.rowsDropped >= 0, "dropped rows are counted from 0");
    require(table.rowCount() == fresh.rowCount() && table.columnCount() == fresh.columnCount(),
            "reading keeps the table's size");
    for (int r = 0; r < table.rowCount(); ++r) {
        for (int c = 0; c < table.columnCount(); ++c) {
            const std::string& cell = table.text(r, c);
            if (r == 0 || c == 0) {
                require(cell == fresh.text(r, c), "headers and row numbers stay");
            } else if (!cell.empty()) {
                require(isValidUtf8(cell), "every cell read is valid UTF-8");
                require(cell.find_first_of("\t\r") == std::string::npos,
                        "no cell holds a cell or row break");
            }
        }
    }
    return 0;
}
