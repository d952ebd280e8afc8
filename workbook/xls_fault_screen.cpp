#include "xls_fault_screen.h"

#include <algorithm>
#include <cstdint>

#include "compound_file_layout.h"
#include "xls_stream_walk.h"

namespace kelvorad {

namespace {

using compound_file_layout::kBeginOfFileRecord;
using compound_file_layout::kDirectoryEntrySize;

constexpr std::uint32_t kMiniStreamCutoff = 4096;  // the only value compound files hold

constexpr std::uint32_t kDimensions = 0x0200;
constexpr std::uint32_t kLabel = 0x0204;
constexpr std::uint32_t kFormat = 0x041E;
constexpr std::uint32_t kString = 0x0207;
constexpr std::uint32_t kSharedStrings = 0x00FC;
constexpr std::uint32_t kContinue = 0x003C;

// The library converts every directory entry's name in the first directory sector (read at its
// offset modulo 2^32) with iconv, reading before its stack buffer when the name is not one a
// compound file holds: the first entry must be the root (type 5), every type known (0, 1, 2,
// 5), and every name (unused entries with a length too) an even length from 2 to 64 bytes of
// ASCII characters (1 to 127) ended by NUL.
bool directoryNamesAreSound(std::string_view file, std::uint32_t sectorShift) {
    const std::uint64_t sectorSize = std::uint64_t{1} << sectorShift;
    const std::uint64_t directory =
        ((static_cast<std::uint64_t>(field32(file, 0x30)) + 1) * sectorSize) & 0xFFFFFFFF;
    for (std::uint64_t entry = directory;
         entry + kDirectoryEntrySize <= file.size() && entry < directory + sectorSize;
         entry += kDirectoryEntrySize) {
        const unsigned type = static_cast<unsigned char>(file[entry + 0x42]);
        if (entry == directory && type != 5) return false;
        const std::uint32_t nameLength = field16(file, entry + 0x40);
        if (type == 0 && nameLength == 0) continue;
        if (type != 0 && type != 1 && type != 2 && type != 5) return false;
        if (nameLength < 2 || nameLength > 64 || nameLength % 2 != 0) return false;
        for (std::uint32_t at = 0; at < nameLength; at += 2) {
            const std::uint32_t character = field16(file, entry + at);
            const bool last = at + 2 == nameLength;
            if (last ? character != 0 : character == 0 || character > 127) return false;
        }
    }
    return true;
}

// Whether a record's text (a 16-bit character count at `count`, a flags byte whose bit 0 says
// UTF-16, then the characters) fits in the record's `length` bytes: the library copies as many
// characters as the count says.
bool textFits(std::string_view body, std::size_t count, std::uint32_t length) {
    const std::uint64_t characters = field16(body, count);
    const bool utf16 = count + 2 < body.size() && (body[count + 2] & 1) != 0;
    return count + 3 + characters * (utf16 ? 2 : 1) <= length;
}

// Whether every string of the shared string table at `at` (with its formatting runs and its
// extension) fits in the data of the record and of the CONTINUE records right after it, which
// the library joins.
bool sharedStringsFit(std::string_view records, std::size_t at) {
    std::string data;
    std::size_t next = at;
    do {
        const std::uint32_t length = field16(records, next + 2);
        data.append(records.substr(std::min(next + 4, records.size()), length));
        next += 4 + length;
    } while (next + 4 <= records.size() && field16(records, next) == kContinue);
    const std::uint64_t unique = field32(data, 4);
    std::uint64_t offset = 8;
    for (std::uint64_t i = 0; i < unique && offset < data.size(); ++i) {
        const unsigned flags =
            offset + 2 < data.size() ? static_cast<unsigned char>(data[offset + 2]) : 0;
        std::uint64_t size = 3 + field16(data, offset) * std::uint64_t{flags & 1 ? 2u : 1u};
        if (flags & 8) size += 2 + 4 * std::uint64_t{field16(data, offset + 3)};
        if (flags & 4) size += 4 + std::uint64_t{field32(data, offset + 3 + (flags & 8 ? 2 : 0))};
        offset += size;
        if (offset > data.size()) return false;
    }
    return true;
}

// The damage of the records the library parses (as far as the stream's chain holds), if any.
std::optional<std::string> recordDamage(std::string_view records) {
    int dimensions = 0;
    for (std::size_t at = 0; at + 4 <= records.size();) {
        const std::uint32_t type = field16(records, at);
        const std::uint32_t length = field16(records, at + 2);
        const std::string_view body = records.substr(at + 4);
        // The library takes a second DIMENSIONS record of a sheet as its size and writes
        // outside the cells it allocated for the first.
        if (type == kBeginOfFileRecord) dimensions = 0;
        if (type == kDimensions && ++dimensions > 1) {
            return "the file is damaged (a sheet states its size twice)";
        }
        const bool fits = (type != kLabel || textFits(body, 6, length)) &&
                          (type != kFormat || textFits(body, 2, length)) &&
                          (type != kString || textFits(body, 0, length)) &&
                          (type != kSharedStrings || sharedStringsFit(records, at));
        if (!fits) return "the file is damaged (a record's text runs past its end)";
        at += 4 + length;
    }
    return std::nullopt;
}

}  // namespace

std::optional<std::string> xlsDamageTheLibraryCannotRead(std::string_view file) {
    const std::uint32_t sectorShift = field16(file, 0x1E);
    if (file.size() < 512 || sectorShift < 7 || sectorShift > 16) {
        return std::nullopt;  // the library refuses it itself
    }
    // The library frees memory twice when the cutoff differs.
    if (field32(file, 0x38) != kMiniStreamCutoff) {
        return "the file is damaged (its mini stream cutoff is not 4096 bytes)";
    }
    if (!directoryNamesAreSound(file, sectorShift)) {
        return "the file is damaged (its directory holds an entry that is no directory entry)";
    }
    for (const XlsStreamWalk& walk : walkXlsWorkbookStreams(file)) {
        // The library would read the loop again and again until the claimed size (up to 4 GiB).
        if (walk.loops) return "the file is damaged (its workbook stream's sectors loop)";
        if (auto damage = recordDamage(walk.records)) return damage;
    }
    // The library allocates what the header's counts and the streams' sizes claim (up to
    // 4 GiB) before it finds out that the file does not hold it.
    const std::uint64_t sectorSize = std::uint64_t{1} << sectorShift;
    for (const std::uint64_t offset : {0x2C, 0x40, 0x48}) {  // FAT, mini FAT, DIFAT sectors
        if (field32(file, offset) * sectorSize > file.size()) {
            return "the file is damaged (its header counts more sectors than the file holds)";
        }
    }
    const auto sizes = xlsClaimedStreamSizes(file);
    if (std::any_of(sizes.begin(), sizes.end(),
                    [&file](std::uint32_t size) { return size > file.size(); })) {
        return "the file is damaged (a stream claims more bytes than the file holds)";
    }
    return std::nullopt;
}

}  // namespace kelvorad
