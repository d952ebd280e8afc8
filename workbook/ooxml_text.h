#pragma once
// The escapes .xlsx files use for characters XML cannot carry: "_xHHHH_" stands for the
// character with the hexadecimal code HHHH (control characters such as U+0001), and a text
// that itself contains such a sequence has its "_" written as "_x005F_".

#include <string>
#include <string_view>

namespace kelvorad {

// Replaces every "_xHHHH_" of a text read from an .xlsx file by its character, as a
// spreadsheet shows it. Sequences that are not four hexadecimal digits stay as they are.
std::string decodeOoxmlEscapes(std::string_view text);

// Protects the "_xHHHH_" sequences a text contains literally, so that they read back as
// written after decodeOoxmlEscapes. (Control characters are escaped by the .xlsx writer.)
std::string protectLiteralOoxmlEscapes(std::string_view text);

}  // namespace kelvorad
