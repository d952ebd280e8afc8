#pragma once
// The active table of an OpenDocument spreadsheet, recorded in its settings.xml part (the
// view settings' "ActiveTable" item), which the cell reader does not look at.

#include <optional>
#include <string>
#include <string_view>

namespace kelvorad {

// The name of the table the document opens on, read from the text of settings.xml; nullopt
// when the item is missing or the part cannot be read as XML.
std::optional<std::string> activeTableOfOpenDocument(std::string_view settingsXml);

}  // namespace kelvorad
