// Fuzzes Paste in the analysis table: the clipboard's text laid over a selection. Only the
// selected cells change, the headers and row numbers never, and no cell holds a cell or row
// break afterwards.
//
// The first four bytes choose the selection (current cell and opposite corner); the rest is
// the clipboard's text.

#include <cstdint>
#include <optional>

#include "analysis_document.h"
#include "desktop_services.h"
#include "fuzz_check.h"

using namespace kelvorad;
using kelvorad::fuzz::require;

namespace {

class TextClipboard : public Clipboard {
  public:
    explicit TextClipboard(std::string text) : text_(std::move(text)) {}
    std::optional<std::string> text() override { return text_; }
    bool setText(const std::string& text) override {
        text_ = text;
        return true;
    }

  private:
    std::string text_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 4) return -1;
    // One document for all inputs, its table laid out afresh each time as New File does
    // (building a 351 x 36 table and a copy of it per input cost more than pasting).
    static AnalysisDocument document;
    static AnalysisTable before;
    AnalysisTable& table = document.table();
    table.clearTable();
    const int rows = table.rowCount();
    const int columns = table.columnCount();
    // Some cells hold text beforehand, so that the cells Paste must keep are visible.
    for (int r = 1; r < rows; r += 7) {
        for (int c = 1; c < columns; c += 3) table.setText(r, c, "x");
    }
    before = table;

    table.setCurrent(1 + data[0] % (rows - 1), 1 + data[1] % (columns - 1));
    table.setSelectionEnd(1 + data[2] % (rows - 1), 1 + data[3] % (columns - 1));
    const CellRect selection = table.selection();
    TextClipboard clipboard(std::string(fuzz::bytesOf(data + 4, size - 4)));
    require(document.paste(clipboard).ok(), "a readable clipboard pastes");

    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            const bool selected = r >= selection.top && r <= selection.bottom &&
                                  c >= selection.left && c <= selection.right;
            if (!selected) {
                require(table.text(r, c) == before.text(r, c), "only selected cells change");
            } else {
                require(table.text(r, c).find_first_of("\t\r\n") == std::string::npos,
                        "no pasted cell holds a cell or row break");
            }
        }
    }
    return 0;
}
