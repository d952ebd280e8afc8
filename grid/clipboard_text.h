#pragma once
// Clipboard text as the tables take it.

#include <string>
#include <string_view>

namespace kelvorad {

// Clipboard text as the table takes it: CR LF and LF become CR (a row break), and one line
// break at the very end is dropped, so that a block copied from a spreadsheet does not empty
// the cell below it.
std::string clipboardTextForTable(std::string_view text);

}  // namespace kelvorad
