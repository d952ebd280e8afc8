#include "results_workbook.h"

#include "grid_transfer.h"
#include "row_marks.h"

namespace kelvorad {

Status putRowMarks(const ResultsTable& table, Worksheet& sheet) {
    Status first;
    const auto keep = [&first](const Status& status) {
        if (!status && first) first = status;
    };
    for (int r = ResultsTable::kHeaderRows; r < table.rowCount(); ++r) {
        const std::uint32_t tint = rowMarks(table, r).tint();
        int last = table.columnCount() - 1;
        while (last > 0 && table.text(r, last).empty()) --last;
        for (int c = 0; c <= last; ++c) keep(sheet.cell(r + 1, c + 1).setFill(tint));
    }
    return first;
}

Status putRunRecords(const std::vector<RunRecord>& runs, Workbook& workbook) {
    auto sheet = workbook.worksheetNamed(kRunSheetName);
    if (!sheet) return Failure{sheet.error()};
    Status first = sheet->clear();
    const auto keep = [&first](const Status& status) {
        if (!status && first) first = status;
    };
    int row = 1;
    for (std::size_t k = 0; k < runs.size(); ++k) {
        if (k > 0) ++row;  // an empty line between blocks
        keep(sheet->cell(row++, 1).setValue("Run " + std::to_string(k + 1)));
        for (const auto& [label, value] : runRecordFields(runs[k])) {
            keep(sheet->cell(row, 1).setValue(label));
            keep(sheet->cell(row, 2).setValue(value));
            ++row;
        }
    }
    return first;
}

Status writeResultsWorkbookFile(const ResultsTable& table, const std::vector<RunRecord>& runs,
                                const std::filesystem::path& file) {
    return writeGridToWorkbookFile(table, file, [&](Workbook& workbook, Worksheet& sheet) {
        const Status marks = putRowMarks(table, sheet);
        if (!marks) return marks;
        return putRunRecords(runs, workbook);
    });
}

}  // namespace kelvorad
