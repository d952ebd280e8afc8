#pragma once
// Checks on the XML parts of a workbook package, made before the spreadsheet reader sees them:
// character references that name no character are mended, and a part that stops before its
// last element is closed is found, so that a damaged file is never read as a shorter one.

#include <cstddef>
#include <string>
#include <string_view>

#include "result.h"

namespace kelvorad {

// Replaces every numeric character reference to a code point XML does not allow (&#0;, a
// surrogate &#xD800; to &#xDFFF;, or beyond U+10FFFF) by "&#xFFFD;", the replacement character.
// Returns how many were replaced. Other references are left for the XML reader.
std::size_t replaceForbiddenCharacterReferences(std::string& xml);

// Succeeds when `xml` is a document whose root element is closed at its end; a part that ends
// early, or that the XML reader cannot follow, gives a failure naming `partName`.
Status checkXmlPartComplete(std::string_view xml, std::string_view partName);

}  // namespace kelvorad
