#include "zip_guard.h"

#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <optional>

#include "little_endian.h"

namespace kelvorad {

namespace {

constexpr std::uint64_t kMaxUnpackedBytes = 512ull * 1024 * 1024;
constexpr std::uint32_t kEndOfDirectorySignature = 0x06054b50;
constexpr std::uint32_t kDirectoryEntrySignature = 0x02014b50;
constexpr std::uint32_t kLocalHeaderSignature = 0x04034b50;
constexpr std::size_t kEndOfDirectorySize = 22;
constexpr std::size_t kDirectoryEntrySize = 46;
constexpr std::size_t kLocalHeaderSize = 30;
constexpr std::size_t kMaxCommentSize = 0xffff;
constexpr std::uint32_t kStored = 0;
constexpr std::uint32_t kDeflated = 8;
constexpr std::uint32_t kEncryptedFlag = 1;
// Deflate cannot pack more than about 1032 bytes into one; an entry claiming more is damaged.
constexpr std::uint64_t kMaxDeflateRatio = 1032;

const Failure kDamaged{"the zip package is truncated or damaged"};

// What the central directory says about one entry.
struct DirectoryEntry {
    std::string name;
    std::uint32_t flags = 0;
    std::uint32_t method = 0;
    std::uint32_t checksum = 0;
    std::uint64_t packedSize = 0;
    std::uint64_t unpackedSize = 0;
    std::uint64_t localHeader = 0;
};

// The position of the end-of-directory record, which sits at the very end of the file followed
// only by an optional comment.
std::optional<std::size_t> findEndOfDirectory(std::string_view content) {
    if (content.size() < kEndOfDirectorySize) return std::nullopt;
    std::size_t end = content.size() - kEndOfDirectorySize;
    const std::size_t lowest = content.size() > kEndOfDirectorySize + kMaxCommentSize
                                   ? content.size() - kEndOfDirectorySize - kMaxCommentSize
                                   : 0;
    while (read32(content, end) != kEndOfDirectorySignature) {
        if (end == lowest) return std::nullopt;
        --end;
    }
    return end;
}

// Inflates a deflated entry into exactly `size` bytes; nullopt when the data is damaged or
// unpacks to any other size.
std::optional<std::string> inflateEntry(std::string_view packed, std::uint64_t size) {
    std::string out(static_cast<std::size_t>(size), '\0');
    z_stream stream{};
    if (inflateInit2(&stream, -MAX_WBITS) != Z_OK) return std::nullopt;
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(packed.data()));
    stream.avail_in = static_cast<uInt>(packed.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = static_cast<uInt>(out.size());
    int state = inflate(&stream, Z_FINISH);
    if (state == Z_BUF_ERROR && stream.avail_out == 0 && stream.avail_in > 0) {
        // The output is full but input is left: see whether it holds more than it claimed.
        unsigned char spare = 0;
        stream.next_out = &spare;
        stream.avail_out = 1;
        state = inflate(&stream, Z_FINISH);
        if (stream.avail_out == 0) state = Z_DATA_ERROR;  // it does
    }
    const bool complete = state == Z_STREAM_END && stream.total_out == size;
    inflateEnd(&stream);
    if (!complete) return std::nullopt;
    return out;
}

struct Directory {
    std::vector<DirectoryEntry> entries;
    std::uint64_t offset = 0;  // where it starts: every entry's data lies before
};

Result<Directory> readDirectory(std::string_view content) {
    const auto end = findEndOfDirectory(content);
    if (!end) return kDamaged;
    const std::uint32_t count = read16(content, *end + 10);
    const std::uint32_t directorySize = read32(content, *end + 12);
    const std::uint32_t directoryOffset = read32(content, *end + 16);
    if (count == 0xffff || directorySize == 0xffffffff || directoryOffset == 0xffffffff) {
        return Failure{"the zip package is too large"};
    }
    if (std::uint64_t{directoryOffset} + directorySize > *end) return kDamaged;

    Directory directory{{}, directoryOffset};
    std::uint64_t claimed = 0;
    std::size_t at = directoryOffset;
    for (std::uint32_t i = 0; i < count; ++i) {
        if (at + kDirectoryEntrySize > *end || read32(content, at) != kDirectoryEntrySignature) {
            return kDamaged;
        }
        const std::size_t nameSize = read16(content, at + 28);
        const std::size_t recordSize =
            kDirectoryEntrySize + nameSize + read16(content, at + 30) + read16(content, at + 32);
        if (at + recordSize > *end) return kDamaged;
        DirectoryEntry entry;
        entry.flags = read16(content, at + 8);
        entry.method = read16(content, at + 10);
        entry.checksum = read32(content, at + 16);
        entry.packedSize = read32(content, at + 20);
        entry.unpackedSize = read32(content, at + 24);
        entry.localHeader = read32(content, at + 42);
        entry.name = std::string(content.substr(at + kDirectoryEntrySize, nameSize));
        claimed += entry.unpackedSize;
        if (claimed > kMaxUnpackedBytes) return Failure{"the zip package unpacks too large"};
        // The entry's data lies between its local header and the central directory.
        if (entry.localHeader + kLocalHeaderSize > directoryOffset ||
            entry.packedSize > directoryOffset ||
            entry.unpackedSize > entry.packedSize * kMaxDeflateRatio + 64) {
            return kDamaged;
        }
        directory.entries.push_back(std::move(entry));
        at += recordSize;
    }
    return directory;
}

Result<std::string> unpackEntry(std::string_view content, const DirectoryEntry& entry,
                                std::uint64_t directoryOffset) {
    const std::size_t header = static_cast<std::size_t>(entry.localHeader);
    if (read32(content, header) != kLocalHeaderSignature) return kDamaged;
    const std::uint64_t dataStart =
        header + kLocalHeaderSize + read16(content, header + 26) + read16(content, header + 28);
    if (dataStart + entry.packedSize > directoryOffset) return kDamaged;
    if ((entry.flags & kEncryptedFlag) != 0) {
        return Failure{"the zip package is encrypted"};
    }
    const std::string_view packed = content.substr(static_cast<std::size_t>(dataStart),
                                                   static_cast<std::size_t>(entry.packedSize));
    std::optional<std::string> unpacked;
    if (entry.method == kStored) {
        if (entry.packedSize != entry.unpackedSize) return kDamaged;
        unpacked = std::string(packed);
    } else if (entry.method == kDeflated) {
        unpacked = inflateEntry(packed, entry.unpackedSize);
    } else {
        return Failure{"the zip package uses a compression this program cannot unpack"};
    }
    if (!unpacked) return kDamaged;
    const auto* bytes = reinterpret_cast<const Bytef*>(unpacked->data());
    if (crc32_z(crc32_z(0, nullptr, 0), bytes, unpacked->size()) != entry.checksum) {
        return kDamaged;
    }
    return std::move(*unpacked);
}

void put16(std::string& out, std::uint32_t value) {
    out += static_cast<char>(value & 0xff);
    out += static_cast<char>((value >> 8) & 0xff);
}

void put32(std::string& out, std::uint32_t value) {
    put16(out, value & 0xffff);
    put16(out, value >> 16);
}

}  // namespace

const std::string* ZipPackage::find(std::string_view name) const {
    const auto found = std::find_if(entries.begin(), entries.end(),
                                    [name](const ZipEntry& entry) { return entry.name == name; });
    return found == entries.end() ? nullptr : &found->content;
}

Result<ZipPackage> unpackZipPackage(std::string_view content) {
    auto directory = readDirectory(content);
    if (!directory) return Failure{directory.error()};
    ZipPackage package;
    for (const DirectoryEntry& entry : directory->entries) {
        auto unpacked = unpackEntry(content, entry, directory->offset);
        if (!unpacked) return Failure{unpacked.error()};
        package.entries.push_back(ZipEntry{entry.name, std::move(unpacked.value())});
    }
    return package;
}

std::string storedZipFile(const ZipPackage& package) {
    std::string file;
    std::string directory;
    for (const ZipEntry& entry : package.entries) {
        const auto* bytes = reinterpret_cast<const Bytef*>(entry.content.data());
        const auto checksum = static_cast<std::uint32_t>(
            crc32_z(crc32_z(0, nullptr, 0), bytes, entry.content.size()));
        const auto size = static_cast<std::uint32_t>(entry.content.size());
        const auto nameSize = static_cast<std::uint32_t>(entry.name.size());
        const auto offset = static_cast<std::uint32_t>(file.size());

        put32(file, kLocalHeaderSignature);
        for (std::uint32_t value : {20u, 0u, kStored, 0u, 0u}) put16(file, value);
        for (std::uint32_t value : {checksum, size, size}) put32(file, value);
        put16(file, nameSize);
        put16(file, 0);
        file += entry.name;
        file += entry.content;

        put32(directory, kDirectoryEntrySignature);
        for (std::uint32_t value : {20u, 20u, 0u, kStored, 0u, 0u}) put16(directory, value);
        for (std::uint32_t value : {checksum, size, size}) put32(directory, value);
        for (std::uint32_t value : {nameSize, 0u, 0u, 0u, 0u}) put16(directory, value);
        put32(directory, 0);
        put32(directory, offset);
        directory += entry.name;
    }
    const auto directoryOffset = static_cast<std::uint32_t>(file.size());
    const auto count = static_cast<std::uint32_t>(package.entries.size());
    file += directory;
    put32(file, kEndOfDirectorySignature);
    for (std::uint32_t value : {0u, 0u, count, count}) put16(file, value);
    put32(file, static_cast<std::uint32_t>(directory.size()));
    put32(file, directoryOffset);
    put16(file, 0);
    return file;
}

}  // namespace kelvorad
