#pragma once
// A look at a zip package's central directory before it is unpacked, so that a hostile file
// (a "zip bomb" that inflates to gigabytes) is refused instead of exhausting memory.

#include <string_view>

#include "result.h"

namespace kelvorad {

// Accepts a package whose central directory can be found, whose entries each claim no more
// packed data than lies before the directory, and whose entries together declare at most
// 512 MiB of unpacked data in at most 65535 entries. Anything else gives a failure with
// the reason. Packages in the ZIP64 form are refused as too large.
Status checkZipPackage(std::string_view content);

}  // namespace kelvorad
