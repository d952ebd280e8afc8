#pragma once
// Inputs that reach a fault of a library Kelvorad cannot fix (KNOWN.md): the harnesses skip
// them, since the program reads workbooks in an isolated process that contains the fault. (The
// .xls reader refuses the inputs that reach the .xls library's faults itself.)

#include <zlib.h>

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

}  // namespace kelvorad::fuzz
