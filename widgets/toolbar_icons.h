#pragma once
// The toolbar icons the program brings along: SVG files in the Qt resource "toolbar_icons"
// (icons/), drawn on a 32-pixel grid and shown at the toolbars' 24 pixels. Each name is the
// resource path of one icon.

#include <QIcon>

namespace kelvorad::icons {

inline constexpr const char* kCut = ":/icons/cut.svg";
inline constexpr const char* kCopy = ":/icons/copy.svg";
inline constexpr const char* kPaste = ":/icons/paste.svg";
inline constexpr const char* kDelete = ":/icons/delete.svg";
inline constexpr const char* kSelectAll = ":/icons/select-all.svg";
inline constexpr const char* kCalculate = ":/icons/calculate.svg";
// Workbook commands: the darker green for .xls files, the lighter for .xlsx files (and for the
// results window's Output.xlsx); an arrow into the grid loads, a stroke across it edits.
inline constexpr const char* kLoadXls = ":/icons/load-xls.svg";
inline constexpr const char* kLoadXlsx = ":/icons/load-xlsx.svg";
inline constexpr const char* kEditXls = ":/icons/edit-xls.svg";
inline constexpr const char* kEditXlsx = ":/icons/edit-xlsx.svg";
inline constexpr const char* kGraph = ":/icons/graph.svg";

}  // namespace kelvorad::icons

namespace kelvorad {

// The icon at resource path `resource` (one of the names above).
QIcon programIcon(const char* resource);

}  // namespace kelvorad
