#pragma once
// File-dialog filters: the program writes them as "Description(*.ext) |*.ext" (description
// and pattern pairs joined by "|"); Qt wants "Description (*.ext)" lines joined by ";;".

#include <string>
#include <string_view>

namespace kelvorad {

// Converts a filter of the program's form to Qt's. Blanks around each part are trimmed, a
// pattern list already shown in parentheses at the end of a description is not repeated, and
// ";"-separated patterns become blank-separated. A text without "|" is taken as a pattern
// list; an empty text gives the empty filter (all files).
std::string qtDialogFilter(std::string_view programFilter);

// The extension a save dialog adds to a name typed without one: that of the filter's first
// pattern ("mi" for "...|*.mi"); empty when that pattern has no fixed extension ("*.*", "*").
std::string defaultSuffix(std::string_view programFilter);

}  // namespace kelvorad
