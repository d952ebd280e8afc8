#include "grid_transfer.h"

#include <set>
#include <string>
#include <vector>

#include "cell_entry.h"
#include "workbook_reader.h"
#include "xlsx_writer.h"

namespace kelvorad {

namespace {

// The shell of an application that is never shown.
class NoDesktop : public Shell {
  public:
    bool openDocument(const std::string&) override { return false; }
    bool startDetached(const std::string&, const std::vector<std::string>&,
                       const std::string&) override {
        return false;
    }
};

void fillGrid(TextGrid& grid, std::vector<std::string>& texts) {
    grid.resize(kImportRows, kImportColumns);
    for (int r = 0; r < kImportRows; ++r) {
        for (int c = 0; c < kImportColumns; ++c) {
            grid.setText(r, c, std::move(texts[static_cast<std::size_t>(r * kImportColumns + c)]));
        }
    }
}

}  // namespace

Status copySheetIntoGrid(const Worksheet& sheet, TextGrid& grid) {
    std::vector<std::string> texts;
    texts.reserve(static_cast<std::size_t>(kImportRows * kImportColumns));
    for (int r = 0; r < kImportRows; ++r) {
        for (int c = 0; c < kImportColumns; ++c) {
            auto text = sheet.cell(r + 1, c + 1).value();
            if (!text) return Failure{text.error()};
            texts.push_back(std::move(text.value()));
        }
    }
    fillGrid(grid, texts);
    return {};
}

SheetCopyReport reportSheetCopy(const WorkbookData& workbook) {
    SheetCopyReport report;
    if (workbook.activeSheet >= workbook.sheets.size()) return report;
    std::set<int> rowsBeyond, columnsBeyond;
    for (const auto& [address, cell] : workbook.sheets[workbook.activeSheet].cells) {
        if (address.row > kImportRows) rowsBeyond.insert(address.row);
        if (address.column > kImportColumns) columnsBeyond.insert(address.column);
        if (address.row <= kImportRows && address.column <= kImportColumns &&
            cell.text.find(kReplacementCharacter) != std::string::npos) {
            ++report.cellsWithUnreadableCharacters;
        }
    }
    report.rowsBeyond = static_cast<int>(rowsBeyond.size());
    report.columnsBeyond = static_cast<int>(columnsBeyond.size());
    return report;
}

Status copyActiveSheetIntoGrid(const std::filesystem::path& workbookFile, TextGrid& grid,
                               SheetCopyReport* report) {
    auto workbook = readWorkbookFile(workbookFile);
    if (!workbook) return Failure{workbook.error()};
    if (report) *report = reportSheetCopy(workbook.value());
    const SheetData& sheet = workbook->sheets[workbook->activeSheet];
    std::vector<std::string> texts(static_cast<std::size_t>(kImportRows * kImportColumns));
    for (const auto& [address, cell] : sheet.cells) {
        if (address.row > kImportRows) break;  // cells come in row order
        if (address.column > kImportColumns) continue;
        texts[static_cast<std::size_t>((address.row - 1) * kImportColumns + address.column - 1)] =
            cell.text;
    }
    fillGrid(grid, texts);
    return {};
}

Status putGridIntoSheet(const TextGrid& grid, Worksheet& sheet) {
    Status first;
    for (int r = 0; r < grid.rowCount(); ++r) {
        for (int c = 0; c < grid.columnCount(); ++c) {
            const Status put = sheet.cell(r + 1, c + 1).setValue(grid.text(r, c));
            if (!put && first) first = put;
        }
    }
    return first;
}

Status writeGridToWorkbookFile(
    const TextGrid& grid, const std::filesystem::path& workbookFile,
    const std::function<Status(Workbook& workbook, Worksheet& sheet)>& alsoPut) {
    NoDesktop noDesktop;
    SpreadsheetApplication application = SpreadsheetApplication::create(noDesktop);
    Status outcome;
    auto workbook = application.workbooks().openOrCreate(workbookFile);
    if (!workbook) {
        outcome = Failure{workbook.error()};
    } else if (auto sheet = workbook->worksheet(1); !sheet) {
        outcome = Failure{workbookFile.string() + ": " + sheet.error()};
    } else if (const Status put = putGridIntoSheet(grid, sheet.value()); !put) {
        outcome = Failure{workbookFile.string() + ": " + put.error()};
    } else if (const Status more = alsoPut ? alsoPut(workbook.value(), sheet.value()) : Status{};
               !more) {
        outcome = Failure{workbookFile.string() + ": " + more.error()};
    } else {
        outcome = workbook->save();
    }
    application.quit();
    return outcome;
}

Status writeGridAsNewWorkbookFile(const TextGrid& grid, const std::filesystem::path& workbookFile) {
    WorkbookData workbook;
    workbook.sheets.push_back(SheetData{"Sheet1", {}});
    auto& cells = workbook.sheets.front().cells;
    for (int r = 0; r < grid.rowCount(); ++r) {
        for (int c = 0; c < grid.columnCount(); ++c) {
            const std::string& text = grid.text(r, c);
            if (text.empty()) continue;
            Result<CellValue> cell = enteredCell(text);
            if (!cell) return Failure{workbookFile.string() + ": " + cell.error()};
            if (cell->kind != CellKind::Empty) cells[CellAddress{r + 1, c + 1}] = cell.value();
        }
    }
    return writeXlsxFile(workbook, workbookFile);
}

}  // namespace kelvorad
