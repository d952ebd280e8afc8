#pragma once
// Reading one stream out of a compound file (the container format of .xls workbooks), enough
// to look at workbook records the .xls library does not report.

#include <optional>
#include <string>
#include <string_view>

namespace kelvorad {

// The content of the stream named `name` (ASCII, compared ignoring case) anywhere in the
// compound file `file`; nullopt when the file is not a compound file, has no such stream, or
// its structure is damaged (chains that loop or point outside the file).
std::optional<std::string> readCompoundFileStream(std::string_view file, std::string_view name);

}  // namespace kelvorad
