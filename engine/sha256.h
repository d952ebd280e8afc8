#pragma once
// SHA-256 (FIPS 180-4) of bytes and of files, as lowercase hexadecimal text: the fingerprint
// the run record gives each input file, so that a result can be traced to the exact file.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace kelvorad {

// The 64-digit lowercase hexadecimal SHA-256 digest of `bytes`.
std::string sha256Hex(std::string_view bytes);

// The digest of a file's whole content; nullopt when it cannot be read.
std::optional<std::string> fileSha256Hex(const std::filesystem::path& file);

}  // namespace kelvorad
