#pragma once
// The INPUT of "kelvorad calc" as a stream of analysis pairs: an analysis file (.mi), the
// active sheet of a workbook (.xlsx, .xls, .ods) laid out like the analysis table, or a text
// file of pairs (.tsv, .csv, .txt) read a line at a time. Besides the pairs, what the reader
// could not place is said in notices.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace kelvorad {

// One row of the input: where it stands and its 35 analysis cells.
struct PairRow {
    long position = 0;
    std::vector<std::string> cells;
};

class PairSource {
  public:
    virtual ~PairSource() = default;
    // Appends up to `count` further rows (blank ones included) to `rows`; false when none was
    // left.
    virtual bool read(std::vector<PairRow>& rows, std::size_t count) = 0;
    // What a row's position counts: "row" of the analysis table, "worksheet row", or "line"
    // of a text file.
    virtual std::string_view positionWord() const = 0;
};

struct OpenedInput {
    std::unique_ptr<PairSource> pairs;  // null when the input cannot be used
    int exitCode = 0;                   // when null: 1 unreadable, 2 a header names a cell twice
    std::string error;                  // when null: what went wrong, naming the file
    std::vector<std::string> notices;   // what was left out: columns, rows beyond the table
};

// Opens INPUT, chosen by its extension. A text file is checked for its encoding first (UTF-8,
// else Windows-1252) and then read as the pairs are asked for.
OpenedInput openPairInput(const std::string& path);

}  // namespace kelvorad
