#pragma once
// Reading little-endian integers out of a file's bytes, as the binary workbook formats (.xls
// compound files and their records, zip packages) store them. The caller checks the bounds.

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace kelvorad {

inline std::uint32_t read16(std::string_view data, std::size_t at) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(data[at])) |
           static_cast<std::uint32_t>(static_cast<unsigned char>(data[at + 1])) << 8;
}

inline std::uint32_t read32(std::string_view data, std::size_t at) {
    return read16(data, at) | read16(data, at + 2) << 16;
}

}  // namespace kelvorad
