#include "workbook_bytes.h"

#include <cstdint>
#include <cstring>

namespace kelvorad {

namespace {

void putNumber(std::string& out, std::uint64_t value) {
    out.append(reinterpret_cast<const char*>(&value), sizeof value);
}

void putText(std::string& out, const std::string& text) {
    putNumber(out, text.size());
    out += text;
}

class Reader {
  public:
    explicit Reader(std::string_view bytes) : bytes_(bytes) {}

    bool number(std::uint64_t& value) {
        if (bytes_.size() < sizeof value) return false;
        std::memcpy(&value, bytes_.data(), sizeof value);
        bytes_.remove_prefix(sizeof value);
        return true;
    }
    bool text(std::string& value) {
        std::uint64_t size = 0;
        if (!number(size) || size > bytes_.size()) return false;
        value.assign(bytes_.substr(0, size));
        bytes_.remove_prefix(size);
        return true;
    }
    bool atEnd() const { return bytes_.empty(); }

  private:
    std::string_view bytes_;
};

}  // namespace

std::string encodeWorkbook(const WorkbookData& workbook) {
    std::string out;
    putNumber(out, static_cast<std::uint64_t>(workbook.format));
    putNumber(out, workbook.activeSheet);
    putNumber(out, workbook.sheets.size());
    for (const SheetData& sheet : workbook.sheets) {
        putText(out, sheet.name);
        putNumber(out, sheet.cells.size());
        for (const auto& [address, cell] : sheet.cells) {
            putNumber(out, static_cast<std::uint64_t>(address.row));
            putNumber(out, static_cast<std::uint64_t>(address.column));
            putNumber(out, static_cast<std::uint64_t>(cell.kind));
            std::uint64_t number = 0;
            std::memcpy(&number, &cell.number, sizeof number);
            putNumber(out, number);
            putText(out, cell.text);
        }
    }
    return out;
}

std::optional<WorkbookData> decodeWorkbook(std::string_view bytes) {
    Reader in(bytes);
    WorkbookData workbook;
    std::uint64_t format = 0, active = 0, sheets = 0;
    if (!in.number(format) || !in.number(active) || !in.number(sheets)) return std::nullopt;
    if (format > static_cast<std::uint64_t>(WorkbookFormat::Ods)) return std::nullopt;
    workbook.format = static_cast<WorkbookFormat>(format);
    workbook.activeSheet = static_cast<std::size_t>(active);
    for (std::uint64_t s = 0; s < sheets; ++s) {
        SheetData sheet;
        std::uint64_t cells = 0;
        if (!in.text(sheet.name) || !in.number(cells)) return std::nullopt;
        for (std::uint64_t c = 0; c < cells; ++c) {
            std::uint64_t row = 0, column = 0, kind = 0, number = 0;
            CellValue cell;
            if (!in.number(row) || !in.number(column) || !in.number(kind) || !in.number(number) ||
                !in.text(cell.text)) {
                return std::nullopt;
            }
            if (row < 1 || row > kMaxSheetRows || column < 1 || column > kMaxSheetColumns ||
                kind > static_cast<std::uint64_t>(CellKind::DateTime)) {
                return std::nullopt;
            }
            cell.kind = static_cast<CellKind>(kind);
            std::memcpy(&cell.number, &number, sizeof number);
            sheet.cells.emplace(CellAddress{static_cast<int>(row), static_cast<int>(column)},
                                std::move(cell));
        }
        workbook.sheets.push_back(std::move(sheet));
    }
    if (!in.atEnd() || workbook.activeSheet >= std::max<std::size_t>(workbook.sheets.size(), 1)) {
        return std::nullopt;
    }
    return workbook;
}

std::string encodeReaderReply(const ReaderReply& reply) {
    std::string out(1, reply.succeeded ? '+' : '-');
    std::uint64_t size = reply.content.size();
    for (int i = 0; i < 8; ++i, size >>= 8) out += static_cast<char>(size & 0xff);
    return out + reply.content;
}

std::string byteSizeText(std::uint64_t bytes) {
    constexpr std::uint64_t kMebibyte = 1 << 20;
    if (bytes >= kMebibyte && bytes % kMebibyte == 0) {
        return std::to_string(bytes / kMebibyte) + " MiB";
    }
    return std::to_string(bytes) + " bytes";
}

std::optional<ReaderReply> decodeReaderReply(std::string_view bytes) {
    if (bytes.size() < kReaderReplyHeaderSize || (bytes[0] != '+' && bytes[0] != '-')) {
        return std::nullopt;
    }
    std::uint64_t size = 0;
    for (int i = 8; i >= 1; --i) size = size << 8 | static_cast<unsigned char>(bytes[i]);
    if (size != bytes.size() - kReaderReplyHeaderSize) return std::nullopt;
    return ReaderReply{bytes[0] == '+', std::string(bytes.substr(kReaderReplyHeaderSize))};
}

}  // namespace kelvorad
