#pragma once
// The damaged workbooks of this folder, each one or two bytes from a good file, and what
// reading each must give: its pairs, or one message naming it. Shared by the tests of
// "kelvorad calc" and of the window's load commands.

#include <filesystem>
#include <ostream>
#include <string>

namespace kelvorad::testing {

struct HostileWorkbook {
    const char* file;
    int pairs;            // the pairs read, or -1 when the file is refused
    const char* reason;   // refused: the message after "<file>"
    int columnsBeyond;    // read: columns right of column 36 that hold cells
    int unreadableCells;  // read: cells showing U+FFFD
    bool memoryError;     // the .xls library reads outside its buffers on it (a sanitizer stops it)

    std::filesystem::path path() const {
        return std::filesystem::path(KELVORAD_TEST_DATA_DIR) / "hostile" / file;
    }
};

inline void PrintTo(const HostileWorkbook& hostile, std::ostream* out) {
    *out << hostile.file;
}

inline constexpr HostileWorkbook kHostileWorkbooks[] = {
    {"entity-x110000.xlsx", 24, "", 3, 1, false},
    {"entity-x110000.ods", 24, "", 3, 1, false},
    {"ods-rows-repeated-2.ods", 25, "", 3, 0, false},
    {"xls-dirstart-iconv.xls", -1,
     ": the file is damaged (its directory holds an entry that is no directory entry)", 0, 0,
     false},
    {"xls-number-as-dimensions-segv.xls", -1,
     ": the file is damaged (a sheet states its size twice)", 0, 0, false},
    {"xls-label-length-heap-overflow.xls", -1,
     ": the file is damaged (a record's text runs past its end)", 0, 0, false},
    {"ods-cd-csize-4G.ods", -1, ": the zip package is truncated or damaged", 0, 0, false},
    {"xlsx-cd-csize-2G.xlsx", -1, ": the zip package is truncated or damaged", 0, 0, false},
    {"xlsx-sheet-truncated-after-12-pairs.xlsx", -1,
     ": the part xl/worksheets/sheet1.xml ends early; the file is damaged", 0, 0, false},
    {"ods-content-truncated-after-12-pairs.ods", -1,
     ": the part content.xml ends early; the file is damaged", 0, 0, false},
};

}  // namespace kelvorad::testing
