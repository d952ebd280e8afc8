#include "xls_import.h"

#include <freexl.h>

#include <algorithm>
#include <memory>
#include <string>
#include <utility>

#include "compound_file_layout.h"
#include "date_text.h"
#include "number_text.h"
#include "xls_active_tab.h"
#include "xls_fault_screen.h"

namespace kelvorad {

namespace {

struct HandleCloser {
    void operator()(const void* handle) const { freexl_close(handle); }
};
using XlsHandle = std::unique_ptr<const void, HandleCloser>;

std::string reasonOf(int code) {
    switch (code) {
        case FREEXL_FILE_NOT_FOUND:
            return "the file cannot be opened";
        case FREEXL_INSUFFICIENT_MEMORY:
            return "not enough memory to read it";
        case FREEXL_BIFF_WORKBOOK_NOT_FOUND:
            return "the file holds no workbook";
        case FREEXL_UNSUPPORTED_CHARSET:
        case FREEXL_INVALID_CHARACTER:
            return "its text is in a character set that cannot be read";
        default:
            return "not a readable .xls workbook (error " + std::to_string(code) + ")";
    }
}

// A date cell arrives as ISO text; it is kept with its serial number so that it can be saved
// as a date again.
CellValue dateCell(const char* text, CellKind kind) {
    CellValue cell{kind, text ? text : "", 0.0};
    if (const auto when = parseDateText(cell.text)) {
        cell.number = serialFromCivil(*when);
        cell.text = dateTextFromSerial(cell.number, kind).value_or(cell.text);
    } else {
        cell.kind = CellKind::Text;  // not a date after all: keep what the file said
    }
    return cell;
}

std::optional<CellValue> cellValue(const FreeXL_CellValue& value) {
    switch (value.type) {
        case FREEXL_CELL_INT:
            return CellValue{CellKind::Number, formatNumber(value.value.int_value),
                             static_cast<double>(value.value.int_value)};
        case FREEXL_CELL_DOUBLE:
            return CellValue{CellKind::Number, formatNumber(value.value.double_value),
                             value.value.double_value};
        case FREEXL_CELL_TEXT:
        case FREEXL_CELL_SST_TEXT:
            if (!value.value.text_value || !*value.value.text_value) return std::nullopt;
            return CellValue{CellKind::Text, value.value.text_value, 0.0};
        case FREEXL_CELL_DATE:
            return dateCell(value.value.text_value, CellKind::Date);
        case FREEXL_CELL_DATETIME:
            return dateCell(value.value.text_value, CellKind::DateTime);
        case FREEXL_CELL_TIME:
            return dateCell(value.value.text_value, CellKind::Time);
        default:
            return std::nullopt;
    }
}

}  // namespace

Result<WorkbookData> importXlsWorkbook(const std::filesystem::path& path,
                                       std::string_view content) {
    // The library also reads bare BIFF record streams and does not survive damaged ones: only
    // compound files go to it, as importWorkbookFile sends nothing else here.
    if (content.substr(0, compound_file_layout::kMagic.size()) != compound_file_layout::kMagic) {
        return Failure{"not an .xls workbook"};
    }
    if (auto damage = xlsDamageTheLibraryCannotRead(content)) return Failure{std::move(*damage)};
    const void* raw = nullptr;
    const int opened = freexl_open(path.c_str(), &raw);
    XlsHandle handle(raw);
    if (opened != FREEXL_OK) return Failure{reasonOf(opened)};

    unsigned int password = 0;
    if (freexl_get_info(raw, FREEXL_BIFF_PASSWORD, &password) == FREEXL_OK &&
        password == FREEXL_BIFF_OBFUSCATED) {
        return Failure{"the workbook is protected by a password"};
    }
    unsigned int sheetCount = 0;
    if (freexl_get_info(raw, FREEXL_BIFF_SHEET_COUNT, &sheetCount) != FREEXL_OK ||
        sheetCount == 0) {
        return Failure{"the workbook holds no worksheet"};
    }

    WorkbookData workbook;
    std::size_t cellCount = 0;
    for (unsigned int index = 0; index < sheetCount && index <= 0xffff; ++index) {
        const auto sheetIndex = static_cast<unsigned short>(index);
        SheetData sheet;
        const char* name = nullptr;
        if (freexl_get_worksheet_name(raw, sheetIndex, &name) == FREEXL_OK && name) {
            sheet.name = name;
        }
        unsigned int rows = 0;
        unsigned short columns = 0;
        const int selected = freexl_select_active_worksheet(raw, sheetIndex);
        if (selected != FREEXL_OK) return Failure{reasonOf(selected)};
        const int sized = freexl_worksheet_dimensions(raw, &rows, &columns);
        if (sized != FREEXL_OK) return Failure{reasonOf(sized)};
        // A damaged sheet can claim more than any sheet holds (the library takes the largest
        // cell address it met): no cell beyond the sheet's bounds is read.
        rows = std::min<unsigned int>(rows, kMaxSheetRows);
        const unsigned int lastColumn = std::min<unsigned int>(columns, kMaxSheetColumns);
        for (unsigned int r = 0; r < rows; ++r) {
            for (unsigned int c = 0; c < lastColumn; ++c) {
                FreeXL_CellValue value{};
                if (freexl_get_cell_value(raw, r, static_cast<unsigned short>(c), &value) !=
                    FREEXL_OK) {
                    continue;
                }
                auto cell = cellValue(value);
                if (!cell) continue;
                if (++cellCount > kMaxWorkbookCells) {
                    return Failure{
                        "the workbook is too large (more cells than the component "
                        "can hold)"};
                }
                sheet.cells.emplace(CellAddress{static_cast<int>(r) + 1, static_cast<int>(c) + 1},
                                    std::move(*cell));
            }
        }
        workbook.sheets.push_back(std::move(sheet));
    }
    if (const auto active = activeTabOfXls(content)) {
        for (std::size_t i = 0; i < workbook.sheets.size(); ++i) {
            if (workbook.sheets[i].name == *active) workbook.activeSheet = i;
        }
    }
    return workbook;
}

}  // namespace kelvorad
