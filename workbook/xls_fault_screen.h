#pragma once
// Damage in an .xls file that the .xls library (libfreexl 1.0.6) does not survive: it reads or
// writes outside its buffers, frees memory twice, or reads on for minutes. Such a file is
// refused before the library sees it, so that no memory outside the file can reach a cell.

#include <optional>
#include <string>
#include <string_view>

namespace kelvorad {

// Why the library cannot be given the compound file `file` ("the file is damaged (...)"), or
// nullopt when it can.
std::optional<std::string> xlsDamageTheLibraryCannotRead(std::string_view file);

}  // namespace kelvorad
