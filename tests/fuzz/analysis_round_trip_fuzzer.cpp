// Fuzzes saving an analysis file and reading it back: every cell reads back as saved, with
// only the changes the format needs (a double quote becomes two apostrophes, a TAB or line
// break a blank), and `cellsChanged` counts exactly the cells so changed. The file's content is
// made and read in memory, by the functions the file writer and reader use (writing it to disk
// is the atomic writer's, tested on its own, and cost more than the rest).
//
// The input is the table's data area as text: cells run in reading order and each byte 0x1F
// ends a cell, so that cells may hold TABs, line breaks and quotes. Cell texts come from the
// keyboard or the readers and are valid UTF-8; other inputs are skipped.

#include <cstdint>

#include "analysis_file.h"
#include "analysis_table.h"
#include "fuzz_check.h"

using namespace kelvorad;
using kelvorad::fuzz::require;

namespace {

constexpr char kCellEnd = '\x1F';

std::string savedForm(const std::string& cell) {
    std::string out;
    for (char ch : cell) {
        if (ch == '"') {
            out += "''";
        } else if (ch == '\t' || ch == '\r' || ch == '\n') {
            out.push_back(' ');
        } else {
            out.push_back(ch);
        }
    }
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text = fuzz::bytesOf(data, size);
    if (!isValidUtf8(text)) return -1;

    // Tables kept between inputs and laid out afresh, as New File does: building two 351 x 36
    // tables per input cost more than the round trip.
    static AnalysisTable saved;
    static AnalysisTable read;
    saved.clearTable();
    const int dataRows = saved.rowCount() - 1;
    const int dataColumns = saved.columnCount() - 1;
    std::size_t at = 0;
    for (int index = 0; index < dataRows * dataColumns && at < text.size(); ++index) {
        std::size_t end = text.find(kCellEnd, at);
        if (end == std::string_view::npos) end = text.size();
        saved.setText(1 + index / dataColumns, 1 + index % dataColumns,
                      std::string(text.substr(at, end - at)));
        at = end + 1;
    }

    int expectedChanges = 0;
    for (int r = 1; r <= dataRows; ++r) {
        for (int c = 1; c <= dataColumns; ++c) {
            const std::string& cell = saved.text(r, c);
            if (!cell.empty() && savedForm(cell) != cell) ++expectedChanges;
        }
    }

    int changes = -1;
    const std::string content = analysisFileContent(saved, &changes);
    require(changes == expectedChanges, "cellsChanged counts the altered cells");

    read.clearTable();
    const FileResult result = readAnalysisBytes(read, content);
    require(result.ok(), "the saved content is read");
    require(result.rowsDropped == 0, "a saved file has no rows beyond the data area");
    for (int r = 0; r < read.rowCount(); ++r) {
        for (int c = 0; c < read.columnCount(); ++c) {
            const std::string& cell = saved.text(r, c);  // taken as const: unchanged
            const std::string& got = read.text(r, c);
            if (r == 0 || c == 0) {
                require(got == cell, "headers and row numbers read back");
            } else {  // most cells are empty: no saved form to build for them
                require(cell.empty() ? got.empty() : got == savedForm(cell),
                        "every cell reads back as saved");
            }
        }
    }
    return 0;
}
