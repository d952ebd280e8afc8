#pragma once
// The Workbook stream of a damaged compound file as the .xls library (libfreexl) reads it,
// which is not how the program's own reader (compound_file.h) reads it: that one refuses a
// damaged file whole, while the library reads sector n at byte (n + 1) × sector size taken
// modulo 2^32 (a sector number past 4 GiB lands on an early sector, 0xFFFFFFFF on the header),
// reads the FAT sectors the header lists even when its count says fewer, and parses the
// records of a stream up to the first link of its chain that leaves the file.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kelvorad {

struct XlsStreamWalk {
    std::string records;  // the stream's bytes up to its first broken link or its size
    bool loops = false;   // the chain comes back to a sector before the claimed size is covered
};

// Every stream entry named Workbook or Book (in any case), walked as the library does. Empty
// when the header is not one of a compound file with 512- or 4096-byte sectors.
std::vector<XlsStreamWalk> walkXlsWorkbookStreams(std::string_view file);

// The sizes every stream and the root entry (the mini stream's) claim, in the directory as the
// library reads it. The library allocates what they claim before it reads.
std::vector<std::uint32_t> xlsClaimedStreamSizes(std::string_view file);

// The little-endian field at `at`, 0 where the bytes end first: a damaged file's fields are
// read where the library reads them, whatever they hold.
std::uint32_t field16(std::string_view bytes, std::uint64_t at);
std::uint32_t field32(std::string_view bytes, std::uint64_t at);

}  // namespace kelvorad
