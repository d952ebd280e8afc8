#include "xls_stream_walk.h"

#include <set>
#include "compound_file_layout.h"

namespace kelvorad {

namespace {

using namespace compound_file_layout;

// Where the library reads sector `index`: it computes the offset in 32 bits.
std::uint64_t sectorOffset(std::uint32_t index, std::size_t sectorSize) {
    return ((static_cast<std::uint64_t>(index) + 1) * sectorSize) & 0xFFFFFFFF;
}

// A chain of `unit`-byte blocks in `blocks` linked by `table`, followed from `start` until it
// ends, leaves `blocks` or the table, covers `size`, or comes back to a block it passed. The
// blocks are the file's sectors, or else (`sectors` false) the mini stream's 64-byte blocks.
XlsStreamWalk follow(std::string_view blocks, std::size_t unit,
                     const std::vector<std::uint32_t>& table, std::uint32_t start,
                     std::uint64_t size, bool sectors = true) {
    XlsStreamWalk walk;
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

std::vector<std::uint32_t> entriesOf(std::string_view bytes) {
    std::vector<std::uint32_t> entries;
    for (std::size_t at = 0; at + 4 <= bytes.size(); at += 4) entries.push_back(field32(bytes, at));
    return entries;
}

bool namedWorkbook(std::string_view entry) {
    const std::uint32_t length = field16(entry, 0x40);
    std::string name;
    for (std::uint32_t at = 0; at + 2 < length && at < 64; at += 2) {
        const std::uint32_t unit = field16(entry, at);
        name += unit >= 'A' && unit <= 'Z' ? static_cast<char>(unit - 'A' + 'a')
                                           : static_cast<char>(unit & 0x7F);
    }
    return name == "workbook" || name == "book";
}

// The FAT as the library loads it: the sectors the header lists, every entry up to the first
// free one, or as many as the count says when it says more.
std::vector<std::uint32_t> libraryFat(std::string_view file, std::size_t sectorSize) {
    std::string fat;
    const std::uint32_t fatCount = field32(file, 0x2C);
    for (std::uint32_t i = 0;
         i < kHeaderDifatEntries && (i < fatCount || field32(file, 0x4C + 4 * i) != kFreeSector);
         ++i) {
        const std::uint64_t offset =
            (static_cast<std::uint64_t>(field32(file, 0x4C + 4 * i)) + 1) * sectorSize;
        if (offset + sectorSize > file.size()) break;
        fat.append(file.substr(offset, sectorSize));
    }
    return entriesOf(fat);
}

}  // namespace

std::uint32_t field16(std::string_view bytes, std::uint64_t at) {
    if (at + 2 > bytes.size()) return 0;
    return static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at])) |
           static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + 1])) << 8;
}

std::uint32_t field32(std::string_view bytes, std::uint64_t at) {
    if (at + 4 > bytes.size()) return 0;
    return field16(bytes, at) | field16(bytes, at + 2) << 16;
}

std::vector<XlsStreamWalk> walkXlsWorkbookStreams(std::string_view file) {
    std::vector<XlsStreamWalk> walks;
    const std::uint32_t sectorShift = field16(file, 0x1E);
    if (file.size() < 512 || (sectorShift != 9 && sectorShift != 12)) return walks;
    const std::size_t sectorSize = std::size_t{1} << sectorShift;
    const auto table = libraryFat(file, sectorSize);
    const std::string directory =
        follow(file, sectorSize, table, field32(file, 0x30), UINT64_MAX).records;
    if (directory.size() < kDirectoryEntrySize) return walks;
    const std::string miniStream =
        follow(file, sectorSize, table, field32(directory, 0x74), field32(directory, 0x78)).records;
    const auto miniTable =
        entriesOf(follow(file, sectorSize, table, field32(file, 0x3C), UINT64_MAX).records);
    for (std::size_t at = 0; at + kDirectoryEntrySize <= directory.size();
         at += kDirectoryEntrySize) {
        const std::string_view entry = std::string_view(directory).substr(at, kDirectoryEntrySize);
        if (static_cast<std::uint8_t>(entry[0x42]) != kStreamObject || !namedWorkbook(entry)) {
            continue;
        }
        const std::uint32_t start = field32(entry, 0x74);
        const std::uint32_t size = field32(entry, 0x78);
        walks.push_back(size < field32(file, 0x38)
                            ? follow(miniStream, 64, miniTable, start, size, false)
                            : follow(file, sectorSize, table, start, size));
    }
    return walks;
}

}  // namespace kelvorad
