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
    static const fuzz::ScratchFileRemover remover{fuzz::scratchFile(".mi")};
    const auto& path = fuzz::scratchFile(".mi");
    fuzz::writeFile(path, fuzz::bytesOf(data, size));

    AnalysisTable table;
    const FileResult result = readAnalysisFile(table, path.string());
    require(result.ok(), "an analysis file that can be opened is read");
    require(result.rowsDropped >= 0, "dropped rows are counted from 0");
    require(table.rowCount() == fresh.rowCount() && table.columnCount() == fresh.columnCount(),
            "reading keeps the table's size");
    for (int r = 0; r < table.rowCount(); ++r) {
        for (int c = 0; c < table.columnCount(); ++c) {
            if (r == 0 || c == 0) {
                require(table.text(r, c) == fresh.text(r, c), "headers and row numbers stay");
            } else {
                require(isValidUtf8(table.text(r, c)), "every cell read is valid UTF-8");
                require(table.text(r, c).find_first_of("\t\r") == std::string::npos,
                        "no cell holds a cell or row break");
            }
        }
    }
    return 0;
}
