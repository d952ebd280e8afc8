#include "xls_active_tab.h"

#include <cstdint>
#include <vector>

#include "compound_file.h"
#include "compound_file_layout.h"
#include "little_endian.h"
#include "text_grid.h"

namespace kelvorad {

namespace {

using compound_file_layout::kBeginOfFileRecord;

constexpr std::uint32_t kEndOfFile = 0x000A;
constexpr std::uint32_t kWindow = 0x003D;
constexpr std::uint32_t kSheet = 0x0085;
constexpr std::size_t kRecordHeader = 4;
constexpr std::size_t kCurrentTabOffset = 10;
constexpr std::size_t kSheetNameOffset = 6;

// A sheet record's name: a character count, an option byte (bit 0: two bytes a character),
// then the characters. Older files have no option byte and 8-bit names.
std::optional<std::string> sheetName(std::string_view record, bool optionByte) {
    if (record.size() < kSheetNameOffset + 1) return std::nullopt;
    const std::size_t count = static_cast<unsigned char>(record[kSheetNameOffset]);
    std::size_t at = kSheetNameOffset + 1;
    bool wide = false;
    if (optionByte) {
        if (record.size() < at + 1) return std::nullopt;
        wide = (record[at] & 1) != 0;
        ++at;
    }
    std::string name;
    for (std::size_t i = 0; i < count; ++i) {
        if (wide) {
            if (at + 2 > record.size()) return std::nullopt;
            appendUtf8(name, static_cast<char32_t>(read16(record, at)));
            at += 2;
        } else {
            if (at + 1 > record.size()) return std::nullopt;
            appendUtf8(name, static_cast<unsigned char>(record[at]));
            at += 1;
        }
    }
    return name;
}

}  // namespace

std::optional<std::string> activeTabOfXls(std::string_view file) {
    auto stream = readCompoundFileStream(file, "Workbook");
    const bool biff8 = stream.has_value();
    if (!stream) stream = readCompoundFileStream(file, "Book");  // Excel 5 and 95
    if (!stream) return std::nullopt;
    const std::string_view biff(*stream);

    std::optional<std::size_t> currentTab;
    std::vector<std::string> tabs;
    for (std::size_t at = 0; at + kRecordHeader <= biff.size();) {
        const std::uint32_t type = read16(biff, at);
        const std::size_t length = read16(biff, at + 2);
        if (at + kRecordHeader + length > biff.size()) break;
        const std::string_view record = biff.substr(at + kRecordHeader, length);
        if (at == 0 && type != kBeginOfFileRecord) return std::nullopt;
        if (type == kEndOfFile) break;  // the end of the workbook's global records
        if (type == kWindow && !currentTab && length >= kCurrentTabOffset + 2) {
            currentTab = read16(record, kCurrentTabOffset);
        } else if (type == kSheet) {
            auto name = sheetName(record, biff8);
            if (!name) return std::nullopt;
            tabs.push_back(std::move(*name));
        }
        at += kRecordHeader + length;
    }
    if (!currentTab || *currentTab >= tabs.size()) return std::nullopt;
    return tabs[*currentTab];
}

}  // namespace kelvorad
