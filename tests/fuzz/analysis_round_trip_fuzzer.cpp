// Fuzzes saving an analysis file and reading it back: every cell reads back as saved, with
// only the changes the format needs (a double quote becomes two apostrophes, a TAB or line
// break a blank), and `cellsChanged` counts exactly the cells so changed.
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
    static const fuzz::ScratchFileRemover remover{fuzz::scratchFile(".mi")};
    const auto& path = fuzz::scratchFile(".mi");

    AnalysisTable saved;
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
            if (savedForm(saved.text(r, c)) != saved.text(r, c)) ++expectedChanges;
        }
    }

    const AnalysisTable before = saved;
    const FileResult written = writeAnalysisFile(saved, path.string());
    require(written.ok(), "the analysis file is written");
    require(written.cellsChanged == expectedChanges, "cellsChanged counts the altered cells");

    AnalysisTable read;
    const FileResult result = readAnalysisFile(read, path.string());
    require(result.ok(), "the saved file is read");
    require(result.rowsDropped == 0, "a saved file has no rows beyond the data area");
    for (int r = 0; r < read.rowCount(); ++r) {
        for (int c = 0; c < read.columnCount(); ++c) {
            const std::string expected =
                r == 0 || c == 0 ? before.text(r, c) : savedForm(before.text(r, c));
            require(read.text(r, c) == expected, "every cell reads back as saved");
        }
    }
    return 0;
}
