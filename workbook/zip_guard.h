#pragma once
// Unpacking a zip package (.xlsx, .ods) under checks, before any XML reader sees it, so that a
// damaged or hostile file (a "zip bomb", a directory that lies about sizes or places) is refused
// in bounded time and memory instead of exhausting them.

#include <string>
#include <string_view>
#include <vector>

#include "result.h"

namespace kelvorad {

struct ZipEntry {
    std::string name;
    std::string content;  // unpacked
};

struct ZipPackage {
    std::vector<ZipEntry> entries;  // in the order of the central directory

    // The content of the entry named `name`, or nullptr when there is none.
    const std::string* find(std::string_view name) const;
};

// Checks and unpacks every entry of the package `content`:
// - the central directory must be found, lie inside the file and hold at most 65535 entries;
//   packages in the ZIP64 form are refused as too large;
// - each entry's local header, name and compressed data must lie inside the file, before the
//   central directory; only stored and deflated, unencrypted entries are read;
// - the entries together may claim at most 512 MiB of unpacked data;
// - each entry must unpack to exactly the size it claims, with the checksum it claims.
// Anything else gives a failure with the reason (without the file name, which the caller adds).
Result<ZipPackage> unpackZipPackage(std::string_view content);

// The entries as a new zip file, each stored without compression, for readers that take a whole
// zip file (after the checks above, and after the XML parts were mended).
std::string storedZipFile(const ZipPackage& package);

}  // namespace kelvorad
