#include "xls_stream_walk.h"

#include <initializer_list>
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

// The directory as the library reads it, with the FAT it reads it by; empty when the header is
// not one of a compound file with 512- or 4096-byte sectors or the directory has no entry.
struct LibraryDirectory {
    std::size_t sectorSize = 0;
    std::vector<std::uint32_t> table;
    std::string entries;
};

LibraryDirectory libraryDirectory(std::string_view file) {
    LibraryDirectory directory;
    const std::uint32_t sectorShift = field16(file, 0x1E);
    if (file.size() < 512 || (sectorShift != 9 && sectorShift != 12)) return directory;
    directory.sectorSize = std::size_t{1} << sectorShift;
    directory.table = libraryFat(file, directory.sectorSize);
    directory.entries =
        follow(file, directory.sectorSize, directory.table, field32(file, 0x30), UINT64_MAX)
            .records;
    if (directory.entries.size() < kDirectoryEntrySize) directory.entries.clear();
    return directory;
}

std::vector<std::string_view> entriesOfType(const std::string& entries,
                                            std::initializer_list<std::uint8_t> types) {
    std::vector<std::string_view> found;
    for (std::size_t at = 0; at + kDirectoryEntrySize <= entries.size();
         at += kDirectoryEntrySize) {
        const std::string_view entry = std::string_view(entries).substr(at, kDirectoryEntrySize);
        const auto type = static_cast<std::uint8_t>(entry[0x42]);
        for (std::uint8_t wanted : types) {
            if (type == wanted) found.push_back(entry);
        }
    }
    return found;
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
    const LibraryDirectory directory = libraryDirectory(file);
    if (directory.entries.empty()) return walks;
    const std::size_t sectorSize = directory.sectorSize;
    const auto& table = directory.table;
    const std::string miniStream = follow(file, sectorSize, table, field32(directory.entries, 0x74),
                                          field32(directory.entries, 0x78))
                                       .records;
    const auto miniTable =
        entriesOf(follow(file, sectorSize, table, field32(file, 0x3C), UINT64_MAX).records);
    for (const std::string_view entry : entriesOfType(directory.entries, {kStreamObject})) {
        if (!namedWorkbook(entry)) continue;
        const std::uint32_t start = field32(entry, 0x74);
        const std::uint32_t size = field32(entry, 0x78);
        if (size >= field32(file, 0x38)) {
            walks.push_back(follow(file, sectorSize, table, start, size));
            continue;
        }
        // A stream below the cutoff lives in the mini stream; when the mini stream cannot
        // supply it, the library reads it from the file's sectors instead, so both are walked.
        walks.push_back(follow(miniStream, 64, miniTable, start, size, false));
        if (walks.back().records.size() < size) {
            walks.push_back(follow(file, sectorSize, table, start, size));
        }
    }
    return walks;
}

std::vector<std::uint32_t> xlsClaimedStreamSizes(std::string_view file) {
    std::vector<std::uint32_t> sizes;
    const LibraryDirectory directory = libraryDirectory(file);
    for (const std::string_view entry :
         entriesOfType(directory.entries, {kStreamObject, kRootObject})) {
        sizes.push_back(field32(entry, 0x78));
    }
    return sizes;
}

}  // namespace kelvorad
