#pragma once
// A workbook's cells as one byte string, and the reply that carries it from the workbook reader's
// process to the program.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "workbook_data.h"

namespace kelvorad {

std::string encodeWorkbook(const WorkbookData& workbook);

// The workbook encoded in `bytes`; nullopt for bytes that are not such an encoding (cut short,
// cells outside the sheet, unknown kinds).
std::optional<WorkbookData> decodeWorkbook(std::string_view bytes);

// The workbook reader's reply: a status byte ('+': an encoded workbook follows, '-': a failure
// message follows), the length of what follows as 8 bytes, least significant first, then that
// many bytes.
struct ReaderReply {
    bool succeeded = false;
    std::string content;
};
inline constexpr std::size_t kReaderReplyHeaderSize = 9;

std::string encodeReaderReply(const ReaderReply& reply);

// A size for messages: "256 MiB" for whole mebibytes, else "1000 bytes".
std::string byteSizeText(std::uint64_t bytes);
// The reply in `bytes`; nullopt for bytes that are not exactly one reply.
std::optional<ReaderReply> decodeReaderReply(std::string_view bytes);

}  // namespace kelvorad
