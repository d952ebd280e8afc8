#include "ods_typed_cells.h"

#include <orcus/sax_parser.hpp>

#include <algorithm>
#include <charconv>
#include <exception>
#include <optional>
#include <string>

#include "date_text.h"

namespace kelvorad {

namespace {

constexpr std::size_t kMaxCells = 100'000;

long repeatCount(std::string_view text) {
    long value = 1;
    const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    // No repeat reaches beyond the largest sheet, which also keeps the row count from overflowing.
    return ec == std::errc{} && value >= 1 ? std::min<long>(value, kMaxSheetRows) : 1;
}

// An ISO 8601 duration as OpenDocument writes times, "PT13H45M00S" or "P1DT2H3M4.5S", in days.
std::optional<double> durationInDays(std::string_view text) {
    if (text.empty() || text[0] != 'P') return std::nullopt;
    double days = 0.0;
    bool inTime = false;
    std::size_t i = 1;
    while (i < text.size()) {
        if (text[i] == 'T') {
            inTime = true;
            ++i;
            continue;
        }
        double amount = 0.0;
        const auto [ptr, ec] = std::from_chars(text.data() + i, text.data() + text.size(), amount);
        if (ec != std::errc{} || ptr == text.data() + text.size()) return std::nullopt;
        i = static_cast<std::size_t>(ptr - text.data());
        const char unit = text[i++];
        if (unit == 'D' && !inTime) {
            days += amount;
        } else if (unit == 'H' && inTime) {
            days += amount / 24.0;
        } else if (unit == 'M' && inTime) {
            days += amount / 1440.0;
        } else if (unit == 'S' && inTime) {
            days += amount / 86400.0;
        } else {
            return std::nullopt;
        }
    }
    return days;
}

// Walks the tables, rows and cells of content.xml, keeping the position of every cell.
class TableWalker {
  public:
    explicit TableWalker(OpenDocumentExtras& found) : found_(found) {}

    void doctype(const orcus::sax::doctype_declaration&) {}
    void start_declaration(std::string_view) {}
    void end_declaration(std::string_view) {}
    void characters(std::string_view, bool) {}

    // Attributes arrive before the element they belong to.
    void attribute(const orcus::sax::parser_attribute& attribute) {
        if (attribute.ns == "table" && attribute.name == "number-rows-repeated") {
            rowsRepeated_ = repeatCount(attribute.value);
        } else if (attribute.ns == "table" && attribute.name == "number-columns-repeated") {
            columnsRepeated_ = repeatCount(attribute.value);
        } else if (attribute.ns == "office" && attribute.name == "value-type") {
            valueType_ = attribute.value;
        } else if (attribute.ns == "office" && attribute.name == "boolean-value") {
            booleanValue_ = attribute.value;
        } else if (attribute.ns == "office" && attribute.name == "time-value") {
            timeValue_ = attribute.value;
        }
    }

    void start_element(const orcus::sax::parser_element& element) {
        if (element.ns == "table") {
            if (element.name == "table") {
                if (++tableDepth_ == 1) {
                    ++table_;
                    row_ = 0;
                }
            } else if (tableDepth_ == 1 && element.name == "table-row") {
                rowRepeat_ = rowsRepeated_;
                column_ = 0;
            } else if (tableDepth_ == 1 &&
                       (element.name == "table-cell" || element.name == "covered-table-cell")) {
                place(columnsRepeated_);
                column_ += columnsRepeated_;
            }
        }
        clearAttributes();
    }

    void end_element(const orcus::sax::parser_element& element) {
        if (element.ns != "table") return;
        if (element.name == "table") {
            --tableDepth_;
        } else if (tableDepth_ == 1 && element.name == "table-row") {
            if (rowRepeat_ > 1 && row_ < kMaxSheetRows) {
                const long count = std::min<long>(rowRepeat_, kMaxSheetRows - row_);
                found_.repeatedRows.push_back(RepeatedRow{static_cast<std::size_t>(table_),
                                                          static_cast<int>(row_) + 1,
                                                          static_cast<int>(count)});
            }
            row_ += rowRepeat_;
            rowRepeat_ = 1;
        }
    }

  private:
    void clearAttributes() {
        rowsRepeated_ = columnsRepeated_ = 1;
        valueType_ = booleanValue_ = timeValue_ = {};
    }

    void place(long columns) {
        CellValue value;
        if (valueType_ == "boolean") {
            const bool yes = booleanValue_ == "true";
            value = CellValue{CellKind::Boolean, yes ? "TRUE" : "FALSE", yes ? 1.0 : 0.0};
        } else if (valueType_ == "time") {
            const auto days = durationInDays(timeValue_);
            if (!days) return;
            const double fraction = *days - static_cast<long long>(*days);
            const auto text = dateTextFromSerial(fraction, CellKind::Time);
            if (!text) return;
            value = CellValue{CellKind::Time, *text, fraction};
        } else {
            return;
        }
        // Repeats reach at most to the sheet's edge and to the number of cells given.
        const long lastRow = std::min<long>(row_ + rowRepeat_, kMaxSheetRows);
        const long lastColumn = std::min<long>(column_ + columns, kMaxSheetColumns);
        for (long r = row_; r < lastRow; ++r) {
            for (long c = column_; c < lastColumn; ++c) {
                if (found_.typedCells.size() >= kMaxCells) return;
                found_.typedCells.push_back(PlacedCell{
                    static_cast<std::size_t>(table_),
                    CellAddress{static_cast<int>(r) + 1, static_cast<int>(c) + 1}, value});
            }
        }
    }

    OpenDocumentExtras& found_;
    int tableDepth_ = 0;
    long table_ = -1;
    long row_ = 0;
    long column_ = 0;
    long rowRepeat_ = 1;
    long rowsRepeated_ = 1;
    long columnsRepeated_ = 1;
    std::string valueType_;
    std::string booleanValue_;
    std::string timeValue_;
};

}  // namespace

OpenDocumentExtras extrasOfOpenDocument(std::string_view contentXml) {
    OpenDocumentExtras found;
    try {
        TableWalker walker(found);
        orcus::sax_parser<TableWalker> parser(contentXml.data(), contentXml.size(), walker);
        parser.parse();
    } catch (const std::exception&) {
        return {};
    }
    return found;
}

}  // namespace kelvorad
