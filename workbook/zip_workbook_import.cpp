#include "zip_workbook_import.h"

#include <string>
#include <utility>
#include <vector>

#include "ods_settings.h"
#include "ods_typed_cells.h"
#include "xlsx_inline_strings.h"
#include "xml_part_checks.h"
#include "zip_guard.h"

namespace kelvorad {

namespace {

bool endsWith(std::string_view text, std::string_view end) {
    return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

bool isXmlPart(std::string_view name) {
    return endsWith(name, ".xml") || endsWith(name, ".rels");
}

Status mendXmlParts(ZipPackage& package) {
    for (ZipEntry& entry : package.entries) {
        if (!isXmlPart(entry.name)) continue;
        replaceForbiddenCharacterReferences(entry.content);
        if (Status complete = checkXmlPartComplete(entry.content, entry.name); !complete) {
            return complete;
        }
    }
    return {};
}

std::size_t cellCount(const WorkbookData& workbook) {
    std::size_t count = 0;
    for (const SheetData& sheet : workbook.sheets) count += sheet.cells.size();
    return count;
}

const Failure kTooLarge{"the workbook is too large (more cells than the component can hold)"};

// Gives each repeat of a repeated row the cells of the row itself.
Status spreadRepeatedRows(WorkbookData& workbook, const std::vector<RepeatedRow>& rows) {
    for (const RepeatedRow& repeated : rows) {
        if (repeated.sheet >= workbook.sheets.size()) continue;
        auto& cells = workbook.sheets[repeated.sheet].cells;
        std::vector<std::pair<int, CellValue>> rowCells;  // by column
        for (auto it = cells.lower_bound(CellAddress{repeated.row, 1});
             it != cells.end() && it->first.row == repeated.row; ++it) {
            rowCells.emplace_back(it->first.column, it->second);
        }
        if (rowCells.empty()) continue;
        if (cells.size() + rowCells.size() * static_cast<std::size_t>(repeated.count) >
            kMaxWorkbookCells) {
            return kTooLarge;
        }
        for (int k = 1; k < repeated.count; ++k) {
            for (const auto& [column, value] : rowCells) {
                cells.insert_or_assign(CellAddress{repeated.row + k, column}, value);
            }
        }
    }
    return {};
}

Status addOpenDocumentExtras(WorkbookData& workbook, const ZipPackage& package) {
    if (const std::string* content = package.find("content.xml")) {
        OpenDocumentExtras extras = extrasOfOpenDocument(*content);
        if (Status spread = spreadRepeatedRows(workbook, extras.repeatedRows); !spread) {
            return spread;
        }
        for (PlacedCell& placed : extras.typedCells) {
            if (placed.sheet >= workbook.sheets.size()) continue;
            workbook.sheets[placed.sheet].cells.try_emplace(placed.address,
                                                            std::move(placed.value));
        }
    }
    if (const std::string* settings = package.find("settings.xml")) {
        if (const auto active = activeTableOfOpenDocument(*settings)) {
            for (std::size_t i = 0; i < workbook.sheets.size(); ++i) {
                if (workbook.sheets[i].name == *active) workbook.activeSheet = i;
            }
        }
    }
    return {};
}

void addInlineStrings(WorkbookData& workbook, const ZipPackage& package) {
    for (PlacedCell& placed : inlineStringCellsOfXlsx(package)) {
        if (placed.sheet >= workbook.sheets.size()) continue;
        workbook.sheets[placed.sheet].cells.insert_or_assign(placed.address,
                                                             std::move(placed.value));
    }
}

}  // namespace

Result<WorkbookData> importZipWorkbook(std::string_view content,
                                       std::optional<ZipWorkbookFormat> expected) {
    auto package = unpackZipPackage(content);
    if (!package) return Failure{package.error()};
    if (Status mended = mendXmlParts(package.value()); !mended) return Failure{mended.error()};
    const std::string zipFile = storedZipFile(package.value());
    const auto format = detectZipWorkbook(zipFile);
    if (!format || (expected && *format != *expected)) {
        return Failure{"not an .xlsx, .xls or .ods workbook"};
    }
    auto workbook = readCellsWithOrcus(zipFile, *format);
    if (!workbook) return workbook;
    if (*format == ZipWorkbookFormat::Ods) {
        if (Status added = addOpenDocumentExtras(workbook.value(), package.value()); !added) {
            return Failure{added.error()};
        }
        workbook->format = WorkbookFormat::Ods;
    } else {
        addInlineStrings(workbook.value(), package.value());
        workbook->format = WorkbookFormat::Xlsx;
    }
    if (cellCount(workbook.value()) > kMaxWorkbookCells) {
        return kTooLarge;
    }
    return workbook;
}

}  // namespace kelvorad
