// Fuzzes the reading of separated-value text of pairs (TAB, ";" or ","; quoted fields; a
// header line read by name): every line gives the 35 analysis cells, as valid UTF-8, and the
// line numbers only grow.

#include <cstdint>
#include <sstream>

#include "analysis_file.h"
#include "analysis_pair.h"
#include "cli/pair_text_input.h"
#include "fuzz_check.h"

using namespace kelvorad;
using kelvorad::fuzz::require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text = fuzz::bytesOf(data, size);
    // As the command line settles it: UTF-8 when the text is, else Windows-1252.
    const TextEncoding encoding =
        isValidUtf8(text) ? TextEncoding::Utf8 : TextEncoding::Windows1252;
    std::istringstream in{std::string(text)};
    PairTextInput input(in, encoding);

    const char separator = input.separator();
    require(separator == '\t' || separator == ';' || separator == ',',
            "the separator is TAB, semicolon or comma");
    const PairColumns& columns = input.columns();
    for (const ColumnCells& cells : columns.cellsOfField) {
        for (int cell : cells) {
            require(cell >= -1 && cell < kPairCellCount, "a header maps to analysis cells");
        }
    }

    std::vector<std::string> cells;
    long lastLine = 0;
    while (input.next(cells)) {
        require(cells.size() == static_cast<std::size_t>(kPairCellCount),
                "every line gives the 35 analysis cells");
        require(input.lineNumber() > lastLine, "line numbers grow");
        lastLine = input.lineNumber();
        for (const std::string& cell : cells) {
            require(isValidUtf8(cell), "every cell is valid UTF-8");
        }
    }
    return 0;
}
