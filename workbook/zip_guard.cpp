#include "zip_guard.h"
#include "little_endian.h"

#include <cstdint>

namespace kelvorad {

namespace {

constexpr std::uint64_t kMaxUnpackedBytes = 512ull * 1024 * 1024;
constexpr std::uint32_t kEndOfDirectorySignature = 0x06054b50;
constexpr std::uint32_t kDirectoryEntrySignature = 0x02014b50;
constexpr std::size_t kEndOfDirectorySize = 22;
constexpr std::size_t kDirectoryEntrySize = 46;
constexpr std::size_t kMaxCommentSize = 0xffff;

}  // namespace

Status checkZipPackage(std::string_view content) {
    if (content.size() < kEndOfDirectorySize) return Failure{"the file is truncated"};
    // The end record sits at the very end, followed only by an optional comment.
    std::size_t end = content.size() - kEndOfDirectorySize;
    const std::size_t lowest = content.size() > kEndOfDirectorySize + kMaxCommentSize
                                   ? content.size() - kEndOfDirectorySize - kMaxCommentSize
                                   : 0;
    while (read32(content, end) != kEndOfDirectorySignature) {
        if (end == lowest) return Failure{"the zip package is truncated or damaged"};
        --end;
    }
    const std::uint32_t entries = read16(content, end + 10);
    const std::uint32_t directorySize = read32(content, end + 12);
    const std::uint32_t directoryOffset = read32(content, end + 16);
    if (entries == 0xffff || directorySize == 0xffffffff || directoryOffset == 0xffffffff) {
        return Failure{"the zip package is too large"};
    }
    if (static_cast<std::uint64_t>(directoryOffset) + directorySize > end) {
        return Failure{"the zip package is truncated or damaged"};
    }
    std::uint64_t unpacked = 0;
    std::size_t at = directoryOffset;
    for (std::uint32_t i = 0; i < entries; ++i) {
        if (at + kDirectoryEntrySize > end || read32(content, at) != kDirectoryEntrySignature) {
            return Failure{"the zip package is truncated or damaged"};
        }
        // An entry's data lies between its local header and the central directory: a claimed
        // compressed size beyond that would make the unpacker allocate it (gigabytes).
        const std::uint64_t packed = read32(content, at + 20);
        const std::uint64_t localHeader = read32(content, at + 42);
        if (localHeader + packed > directoryOffset) {
            return Failure{"the zip package is truncated or damaged"};
        }
        unpacked += read32(content, at + 24);
        if (unpacked > kMaxUnpackedBytes) return Failure{"the zip package unpacks too large"};
        at += kDirectoryEntrySize + read16(content, at + 28) + read16(content, at + 30) +
              read16(content, at + 32);
    }
    return {};
}

}  // namespace kelvorad
