#pragma once
// Which tab an .xls workbook opens on. The .xls library does not report it, so it is read from
// the workbook's own records: the current-tab index of the window record and the sheet list.

#include <optional>
#include <string>
#include <string_view>

namespace kelvorad {

// The name of the active tab of the .xls file whose whole content is `file`, as UTF-8 (names
// in 8-bit form are read as Latin-1); nullopt when it cannot be told.
std::optional<std::string> activeTabOfXls(std::string_view file);

}  // namespace kelvorad
