#pragma once
// The fixed values of the file formats behind .xls workbooks, shared by the readers that walk
// them: the compound file (Microsoft's "structured storage": a 512-byte header, a FAT of sector
// chains, 128-byte directory entries) and the BIFF records of the Workbook stream.

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace kelvorad::compound_file_layout {

inline constexpr std::string_view kMagic = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1";
inline constexpr std::size_t kHeaderSize = 512;
inline constexpr std::size_t kHeaderDifatEntries = 109;  // FAT sectors listed in the header
inline constexpr std::size_t kDirectoryEntrySize = 128;
inline constexpr std::uint32_t kMaxRegularSector = 0xFFFFFFFA;
inline constexpr std::uint32_t kEndOfChain = 0xFFFFFFFE;
inline constexpr std::uint32_t kFreeSector = 0xFFFFFFFF;
inline constexpr std::uint8_t kStreamObject = 2;  // directory entry types
inline constexpr std::uint8_t kRootObject = 5;

// BIFF record types of the Workbook stream (BOF opens a substream: the globals, each sheet).
inline constexpr std::uint32_t kBeginOfFileRecord = 0x0809;

}  // namespace kelvorad::compound_file_layout
