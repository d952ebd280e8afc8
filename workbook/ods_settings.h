#pragma once
// The active table of an OpenDocument spreadsheet, recorded in its settings.xml part (the
// view settings' "ActiveTable" item), which the cell reader does not look at.

#include <optional>
#include <string>
#include <string_view>

namespace kelvorad {

// The name of the table the document opens on, or nullopt when the package has no
// settings.xml, the item is missing, or the package cannot be read.
std::optional<std::string> activeTableOfOpenDocument(std::string_view package);

}  // namespace kelvorad
