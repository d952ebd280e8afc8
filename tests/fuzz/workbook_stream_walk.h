#pragma once
// The Workbook stream of a damaged compound file as the .xls library reads it: sector n at byte
// (n + 1) × sector size taken modulo 2^32 (the library computes it in 32 bits, so a sector number
// past 4 GiB lands on an early sector, 0xFFFFFFFF on the header), up to the first
// link of its sector chain that leaves the file (the library reads and parses the records before
// that link and only then gives up), and whether the chain comes back to a sector it already
// passed before the stream's claimed size is covered (the library then reads the loop again and
// again until that size). The program's own reader (compound_file.h) refuses such files whole;
// the fuzz harness needs to know what the library saw of them.

#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace kelvorad::fuzz {

struct WorkbookStreamWalk {
    std::string records;  // the stream's bytes up to its first broken link or its size
    bool loops = false;   // the chain loops before the claimed size is covered
};

namespace stream_walk {

constexpr std::uint32_t kEndOfChain = 0xFFFFFFFE;

inline std::uint32_t read16(std::string_view bytes, std::size_t at) {
    if (at + 2 > bytes.size()) return 0;
    return static_cast<unsigned char>(bytes[at]) |
           static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + 1])) << 8;
}

inline std::uint32_t read32(std::string_view bytes, std::size_t at) {
    return read16(bytes, at) | read16(bytes, at + 2) << 16;
}

// Where the library reads sector `index` of a file with `sectorSize`-byte sectors.
inline std::uint64_t sectorOffset(std::uint32_t index, std::size_t sectorSize) {
    return ((static_cast<std::uint64_t>(index) + 1) * sectorSize) & 0xFFFFFFFF;
}

// A chain of `unit`-byte blocks in `blocks` linked by `table`, followed from `start` until it
// ends, leaves `blocks` or the table, covers `size`, or comes back to a block it passed. The
// blocks are the file's sectors (`sectors`), or else the mini stream's 64-byte blocks.
inline WorkbookStreamWalk follow(std::string_view blocks, std::size_t unit,
                                 const std::vector<std::uint32_t>& table, std::uint32_t start,
                                 std::uint64_t size, bool sectors = true) {
    WorkbookStreamWalk walk;
    std::set<std::uint32_t> passed;
    for (std::uint32_t index = start; index != kEndOfChain && walk.records.size() < size;) {
        const std::uint64_t offset =
            sectors ? sectorOffset(index, unit) : static_cast<std::uint64_t>(index) * unit;
        if (offset + unit > blocks.size()) break;
        if (!passed.insert(index).second) {
            walk.loops = true;
            break;
        }
        walk.records.append(blocks.substr(offset, unit));
        if (index >= table.size()) break;
        index = table[index];
    }
    if (walk.records.size() > size) walk.records.resize(size);
    return walk;
}

inline std::vector<std::uint32_t> entriesOf(std::string_view bytes) {
    std::vector<std::uint32_t> entries;
    for (std::size_t at = 0; at + 4 <= bytes.size(); at += 4) entries.push_back(read32(bytes, at));
    return entries;
}

inline bool namedWorkbook(std::string_view entry) {
    const std::uint32_t length = read16(entry, 0x40);
    std::string name;
    for (std::uint32_t at = 0; at + 2 < length && at < 64; at += 2) {
        const std::uint32_t unit = read16(entry, at);
        name += unit >= 'A' && unit <= 'Z' ? static_cast<char>(unit - 'A' + 'a')
                                           : static_cast<char>(unit & 0x7F);
    }
    return name == "workbook" || name == "book";
}

}  // namespace stream_walk

// Every stream entry named Workbook or Book (in any case), walked as described above. Empty
// when the header is not one of a compound file with 512- or 4096-byte sectors.
inline std::vector<WorkbookStreamWalk> walkWorkbookStreams(std::string_view file) {
    using namespace stream_walk;
    std::vector<WorkbookStreamWalk> walks;
    const std::uint32_t sectorShift = read16(file, 0x1E);
    if (file.size() < 512 || (sectorShift != 9 && sectorShift != 12)) return walks;
    const std::size_t sectorSize = std::size_t{1} << sectorShift;
    std::string fat;
    const std::uint32_t fatCount = read32(file, 0x2C);
    // The library reads the FAT sectors the header lists even when its count says fewer (0):
    // every entry up to the first free one (0xFFFFFFFF), or the count when it says more.
    for (std::uint32_t i = 0; i < 109 && (i < fatCount || read32(file, 0x4C + 4 * i) != 0xFFFFFFFF);
         ++i) {
        const std::uint64_t offset =
            (static_cast<std::uint64_t>(read32(file, 0x4C + 4 * i)) + 1) * sectorSize;
        if (offset + sectorSize > file.size()) break;
        fat.append(file.substr(offset, sectorSize));
    }
    const auto table = entriesOf(fat);
    const std::string directory =
        follow(file, sectorSize, table, read32(file, 0x30), UINT64_MAX).records;
    if (directory.size() < 128) return walks;
    const std::string miniStream =
        follow(file, sectorSize, table, read32(directory, 0x74), read32(directory, 0x78)).records;
    const auto miniTable =
        entriesOf(follow(file, sectorSize, table, read32(file, 0x3C), UINT64_MAX).records);
    for (std::size_t at = 0; at + 128 <= directory.size(); at += 128) {
        const std::string_view entry = std::string_view(directory).substr(at, 128);
        if (static_cast<unsigned char>(entry[0x42]) != 2 || !namedWorkbook(entry)) continue;
        const std::uint32_t start = read32(entry, 0x74);
        const std::uint32_t size = read32(entry, 0x78);
        walks.push_back(size < read32(file, 0x38)
                            ? follow(miniStream, 64, miniTable, start, size, false)
                            : follow(file, sectorSize, table, start, size));
    }
    return walks;
}

}  // namespace kelvorad::fuzz
