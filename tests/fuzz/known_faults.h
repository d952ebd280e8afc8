#pragma once
// Inputs that reach a fault of a library Kelvorad cannot fix (KNOWN.md): the harnesses skip
// them, since the program reads workbooks in an isolated process that contains the fault.

#include <zlib.h>

#include "workbook_stream_walk.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

namespace kelvorad::fuzz {

namespace detail {

inline std::uint32_t read16(std::string_view bytes, std::size_t at) {
    if (at + 2 > bytes.size()) return 0;
    return static_cast<unsigned char>(bytes[at]) |
           static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + 1])) << 8;
}

inline std::uint32_t read32(std::string_view bytes, std::size_t at) {
    if (at + 4 > bytes.size()) return 0;
    return read16(bytes, at) | read16(bytes, at + 2) << 16;
}

// True when the text holds a character reference ("&#...") that is not a well-formed one,
// "&#DIGITS;" or "&#xHEX;", to a code point up to U+10FFFF.
inline bool holdsMalformedReference(std::string_view text) {
    for (std::size_t at = text.find("&#"); at != std::string_view::npos;
         at = text.find("&#", at + 2)) {
        std::size_t i = at + 2;
        const bool hex = i < text.size() && (text[i] == 'x' || text[i] == 'X');
        if (hex) ++i;
        const std::size_t first = i;
        std::uint64_t value = 0;
        for (; i < text.size(); ++i) {
            const char c = text[i];
            int digit = -1;
            if (c >= '0' && c <= '9') digit = c - '0';
            if (hex && c >= 'a' && c <= 'f') digit = c - 'a' + 10;
            if (hex && c >= 'A' && c <= 'F') digit = c - 'A' + 10;
            if (digit < 0) break;
            value = value * (hex ? 16 : 10) + static_cast<std::uint64_t>(digit);
            if (value > 0x10FFFF) return true;
        }
        if (i == first || i >= text.size() || text[i] != ';') return true;
    }
    return false;
}

// True when the text's last "<" comes after its last ">": it ends inside a tag.
inline bool endsInsideATag(std::string_view text) {
    const std::size_t open = text.rfind('<');
    const std::size_t close = text.rfind('>');
    return open != std::string_view::npos && (close == std::string_view::npos || open > close);
}

// The data of a zip entry whose local header is at `at`, inflated when deflated (at most
// 1 MiB of it); empty when it cannot be had.
inline std::string entryData(std::string_view zip, std::size_t at) {
    if (read32(zip, at) != 0x04034b50) return {};
    const std::uint32_t method = read16(zip, at + 8);
    const std::uint64_t packed = read32(zip, at + 18);
    const std::uint64_t start = at + 30 + read16(zip, at + 26) + read16(zip, at + 28);
    if (start > zip.size()) return {};
    const std::string_view data = zip.substr(start, packed);
    if (method == 0) return std::string(data);
    if (method != 8) return {};
    std::string out;
    z_stream stream{};
    if (inflateInit2(&stream, -MAX_WBITS) != Z_OK) return {};
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
    stream.avail_in = static_cast<uInt>(data.size());
    char chunk[16384];
    int status = Z_OK;
    while (status == Z_OK && out.size() < (1u << 20)) {
        stream.next_out = reinterpret_cast<Bytef*>(chunk);
        stream.avail_out = sizeof chunk;
        status = inflate(&stream, Z_NO_FLUSH);
        out.append(chunk, sizeof chunk - stream.avail_out);
        if (stream.avail_out == sizeof chunk) break;  // no progress
    }
    inflateEnd(&stream);
    return out;
}

}  // namespace detail

// liborcus 0.17 fails an assertion (and aborts) on a character reference beyond U+10FFFF, and
// ends the process (std::terminate, an exception through noexcept) on one that is not a number
// ("&#-1;", "&#x;"); it fails the assertion `mp_char <= mp_end` when a part ends inside a tag
// ("<numFmt num"). Skipped: any input holding a reference that is not well formed, in its own
// bytes or in the data of an entry a local header or central directory entry points at, and
// any input with such an entry whose data ends inside a tag.
inline bool reachesKnownZipFault(std::string_view zip) {
    if (detail::holdsMalformedReference(zip)) return true;
    for (std::size_t at = zip.find("PK"); at != std::string_view::npos;
         at = zip.find("PK", at + 2)) {
        std::size_t local = std::string_view::npos;
        if (detail::read32(zip, at) == 0x04034b50) local = at;
        if (detail::read32(zip, at) == 0x02014b50) local = detail::read32(zip, at + 42);
        if (local == std::string_view::npos || local >= zip.size()) continue;
        const std::string data = detail::entryData(zip, local);
        if (detail::holdsMalformedReference(data)) return true;
        if (detail::endsInsideATag(data)) return true;
    }
    return false;
}

// libfreexl 1.0.6 reads past a stack buffer (in iconv) when it converts a directory entry's
// name that is not what compound files hold (the directory pointed elsewhere, also through a
// sector number whose offset passes 4 GiB, a name cut or garbled). Skipped: any input whose first
// directory sector does not start with the root entry (type 5), or holds an entry of an unknown
// type (not 0, 1, 2 or 5), or an entry with a name (of any type, also unused ones, 0, with a name
// length other than 0) whose name length is not an even number from 2 to 64 or whose name is not
// ASCII characters (1 to 127) ended by NUL. It also frees memory twice when the header's mini
// stream cutoff is not 4096, which the format fixes: such inputs are skipped too.
inline bool reachesKnownDirectoryFault(std::string_view file) {
    if (file.size() < 512) return false;
    const std::uint32_t sectorShift = detail::read16(file, 0x1E);
    if (sectorShift < 7 || sectorShift > 16) return false;
    if (detail::read32(file, 0x38) != 4096) return true;
    const std::uint64_t sectorSize = 1u << sectorShift;
    // The library takes the directory's offset modulo 2^32: a sector number past 4 GiB (or
    // 0xFFFFFFFF, the header) lands on a sector that holds no directory.
    const std::uint64_t directory =
        ((static_cast<std::uint64_t>(detail::read32(file, 0x30)) + 1) * sectorSize) & 0xFFFFFFFF;
    for (std::uint64_t entry = directory;
         entry + 128 <= file.size() && entry < directory + sectorSize; entry += 128) {
        const unsigned type = static_cast<unsigned char>(file[entry + 66]);
        if (entry == directory && type != 5) return true;
        const std::uint32_t nameLength = detail::read16(file, entry + 64);
        if (type == 0 && nameLength == 0) continue;
        if (type != 0 && type != 1 && type != 2 && type != 5) return true;
        if (nameLength < 2 || nameLength > 64 || nameLength % 2 != 0) return true;
        for (std::uint32_t at = 0; at < nameLength; at += 2) {
            const std::uint32_t character = detail::read16(file, entry + at);
            const bool last = at + 2 == nameLength;
            if (last ? character != 0 : character == 0 || character > 127) return true;
        }
    }
    return false;
}

// Faults of libfreexl 1.0.6 in the records of the Workbook stream, which it parses as far as
// the stream's sector chain holds (a later link may leave the file: the library has met the
// records before it). Skipped: any input whose Workbook stream, read that far, holds
// - a LABEL (0x0204), FORMAT (0x041E) or STRING (0x0207) record whose text, its character
//   count times 1 or 2 bytes (flags bit 0: UTF-16), does not fit in the record, or a shared
//   string table (SST, 0x00FC) one of whose strings does not fit in it and its CONTINUE
//   records (the library copies that many bytes: a heap over-read of up to 128 KiB);
// - a second DIMENSIONS record (0x0200) in one substream (after one BOF, 0x0809): the library
//   takes its bounds as the sheet's size and writes outside the cells it allocated; it then
//   fails (SIGSEGV) there or when it frees its memory (a double free, a bad free).
namespace detail {

// Whether a record's text (character count at `count`, then a flags byte, then the characters)
// fits in its `length` bytes.
inline bool textFits(std::string_view record, std::size_t count, std::uint32_t length) {
    const std::uint64_t characters = read16(record, count);
    const bool utf16 = count + 2 < record.size() && (record[count + 2] & 1) != 0;
    return count + 3 + characters * (utf16 ? 2 : 1) <= length;
}

// Whether every string of the shared string table (SST, 0x00FC) at `at` fits in the data of
// the record and of the CONTINUE records (0x003C) right after it, which the library joins.
inline bool sharedStringsFit(std::string_view records, std::size_t at) {
    std::string data;
    std::size_t next = at;
    do {
        const std::uint32_t length = read16(records, next + 2);
        data.append(records.substr(std::min(next + 4, records.size()), length));
        next += 4 + length;
    } while (next + 4 <= records.size() && read16(records, next) == 0x003C);
    const std::uint64_t unique = read32(data, 4);
    std::uint64_t offset = 8;
    for (std::uint64_t i = 0; i < unique && offset < data.size(); ++i) {
        const unsigned flags =
            offset + 2 < data.size() ? static_cast<unsigned char>(data[offset + 2]) : 0;
        std::uint64_t size = 3 + read16(data, offset) * std::uint64_t{flags & 1 ? 2u : 1u};
        if (flags & 8) size += 2 + 4 * std::uint64_t{read16(data, offset + 3)};  // formatting runs
        if (flags & 4) size += 4 + std::uint64_t{read32(data, offset + 3 + (flags & 8 ? 2 : 0))};
        offset += size;
        if (offset > data.size()) return false;
    }
    return true;
}

}  // namespace detail

inline bool reachesKnownBiffFault(std::string_view file) {
    for (const WorkbookStreamWalk& walk : walkWorkbookStreams(file)) {
        const std::string_view records = walk.records;
        int dimensions = 0;
        for (std::size_t at = 0; at + 4 <= records.size();) {
            const std::uint32_t type = detail::read16(records, at);
            const std::uint32_t length = detail::read16(records, at + 2);
            if (type == 0x0809) dimensions = 0;
            if (type == 0x0200 && ++dimensions > 1) return true;
            if (type == 0x0204 && !detail::textFits(records.substr(at + 4), 6, length)) return true;
            if (type == 0x041E && !detail::textFits(records.substr(at + 4), 2, length)) return true;
            if (type == 0x0207 && !detail::textFits(records.substr(at + 4), 0, length)) return true;
            if (type == 0x00FC && !detail::sharedStringsFit(records, at)) return true;
            at += 4 + length;
        }
    }
    return false;
}

// libfreexl 1.0.6 follows a Workbook stream's sector chain that comes back to a sector it
// passed over and over, until it has read as many bytes as the stream's directory entry claims
// (up to 4 GiB: about 6 s and 130 MB a GiB). Skipped: any input whose Workbook stream chain
// loops before its claimed size is covered.
inline bool reachesKnownEndlessRead(std::string_view file) {
    for (const WorkbookStreamWalk& walk : walkWorkbookStreams(file)) {
        if (walk.loops) return true;
    }
    return false;
}

// Any of the libfreexl faults above.
inline bool reachesKnownXlsFault(std::string_view file) {
    return reachesKnownDirectoryFault(file) || reachesKnownBiffFault(file) ||
           reachesKnownEndlessRead(file);
}

}  // namespace kelvorad::fuzz
