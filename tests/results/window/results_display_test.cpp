// What the results window shows of its rows: numbers rounded for reading with the full value
// in the tooltip, the run of each row on its sample cell, tinted rows for marked results, and
// the same marks and the run records in Output.xlsx.
#include <QLabel>
#include <QLineEdit>
#include <QStatusBar>

#include "results_window_fixture.h"
#include "row_marks.h"

namespace kelvorad::fakes {
namespace {

using Display = ResultsWindowTest;

// A results row: sample "S<n>", every number field 850.123456789, the verdict as given.
std::string resultsRow(int n, std::string_view verdict, std::string_view t105 = "850.123456789") {
    std::string fields = "S" + std::to_string(n);
    for (int c = 1; c < 134; ++c) {
        fields += '\t';
        if (c == 105) {
            fields += t105;
        } else if (c == 133) {
            fields += verdict;
        } else if (!ResultsTable::isSpacerColumn(c) && c != 38) {
            fields += "850.123456789";
        }
    }
    return fields;
}

RunRecord runFrom(const std::string& file, const std::string& scheme, double bars) {
    RunRecord record;
    record.inputPath = file;
    record.ferricScheme = scheme;
    record.pressureBars = bars;
    return record;
}

QVariant cellData(QTableView& grid, int row, int column, int role) {
    return grid.model()->data(grid.model()->index(row, column), role);
}

TEST_F(Display, NumbersShowRoundedWhileTheTableCopyAndEditKeepAllDigits) {
    window->appendResultsRow(resultsRow(1, "Passed"));
    window->showTableChanges();
    QTableView& view = grid();
    EXPECT_EQ(cellData(view, 2, 2, Qt::DisplayRole).toString(), "850.12");     // oxide
    EXPECT_EQ(cellData(view, 2, 26, Qt::DisplayRole).toString(), "850.1235");  // cation
    EXPECT_EQ(cellData(view, 2, 105, Qt::DisplayRole).toString(), "850.1");    // T
    EXPECT_EQ(cellData(view, 2, 120, Qt::DisplayRole).toString(), "850.12");   // log fO2
    EXPECT_EQ(cellData(view, 2, 105, Qt::ToolTipRole).toString(), "850.123456789");
    EXPECT_EQ(cellData(view, 2, 105, Qt::EditRole).toString(), "850.123456789");
    EXPECT_EQ(cellData(view, 1, 105, Qt::DisplayRole).toString(), "[TAL85C67");  // header row
    EXPECT_EQ(table().text(2, 105), "850.123456789");

    table().setCurrent(2, 105);
    action("mnuEditCopy").trigger();
    EXPECT_EQ(desktop.clipboard.text(), "850.123456789");
    clickCell(2, 105);  // the edit box mirrors the full text
    EXPECT_EQ(widget<QLineEdit>("Text1").text(), "850.123456789");
}

TEST_F(Display, SampleCellNamesTheFileSchemeAndPressureOfItsRun) {
    window->beginRun(runFrom("/data/first.mi", "Stormer (1983)", 2000));
    window->appendResultsRow(resultsRow(1, "Passed"));
    window->appendResultsRow(resultsRow(2, "Passed"));
    window->beginRun(runFrom("/data/second.mi", "Droop (1987)", 1000));
    window->appendResultsRow(resultsRow(3, "Passed"));
    window->showTableChanges();
    QTableView& view = grid();
    EXPECT_EQ(cellData(view, 3, 0, Qt::ToolTipRole).toString(),
              "S2\nFile: /data/first.mi\nFerric iron: Stormer (1983)\nPressure: 2000 bars");
    EXPECT_EQ(cellData(view, 4, 0, Qt::ToolTipRole).toString(),
              "S3\nFile: /data/second.mi\nFerric iron: Droop (1987)\nPressure: 1000 bars");
    ASSERT_EQ(window->runRecords().size(), 2u);
    EXPECT_EQ(window->runRecords()[0].firstResultsRow, 3);  // sheet row of table row 2
    EXPECT_EQ(window->runRecords()[0].lastResultsRow, 4);
    EXPECT_EQ(window->runRecords()[1].firstResultsRow, 5);
}

TEST_F(Display, MarkedRowsAreTintedAndNameTheirReasons) {
    window->appendResultsRow(resultsRow(1, "Passed"));
    window->appendResultsRow(resultsRow(2, "Failed"));
    window->appendResultsRow(resultsRow(3, "Not tested"));
    window->appendResultsRow(resultsRow(4, "Passed", "1350.55"));
    window->showTableChanges();
    QTableView& view = grid();
    const auto tint = [&](int row, int column) {
        const QVariant brush = cellData(view, row, column, Qt::BackgroundRole);
        return brush.isValid() ? brush.value<QBrush>().color().rgb() & 0xFFFFFF : 0u;
    };
    EXPECT_EQ(tint(2, 50), 0u);
    EXPECT_EQ(tint(3, 50), kEquilibriumMarkTint);
    EXPECT_EQ(tint(4, 1), kEquilibriumMarkTint);
    EXPECT_EQ(tint(5, 100), kCalibrationMarkTint);
    EXPECT_EQ(cellData(view, 3, 133, Qt::ToolTipRole).toString(), "Equilibrium test: Failed");
    EXPECT_EQ(cellData(view, 4, 2, Qt::ToolTipRole).toString(),
              "850.123456789\nEquilibrium test: Not tested");
    EXPECT_EQ(cellData(view, 5, 105, Qt::ToolTipRole).toString(),
              "1350.55\nOutside 600-1300 oC: TAL85C67");
    EXPECT_FALSE(cellData(view, 2, 133, Qt::ToolTipRole).isValid());  // "Passed", not rounded

    // Editing the verdict takes the mark away.
    table().setText(3, 133, "Passed");
    window->showTableChanges();
    EXPECT_EQ(tint(3, 50), 0u);

    const QString legend = widget<QLabel>("MarkLegend").toolTip();
    EXPECT_TRUE(legend.contains("rose")) << legend.toStdString();
    EXPECT_TRUE(legend.contains("amber"));
    EXPECT_EQ(window->statusBar()->toolTip(), legend);
}

// The send puts the marks as fills and every run's record on the sheet "Run".
TEST_F(Display, SendPutsTheMarksAndTheRunRecordsIntoTheWorkbook) {
    window->beginRun(runFrom("/data/first.mi", "Stormer (1983)", 2000));
    window->appendResultsRow(resultsRow(1, "Failed"));
    window->appendResultsRow(resultsRow(2, "Passed"));
    window->showTableChanges();
    action("mnuSEF").trigger();
    EXPECT_TRUE(messages().empty());
    const Worksheet& sheet = window->outputWorksheet();
    EXPECT_EQ(sheet.cell(3, 1).fill().value(), kEquilibriumMarkTint);
    EXPECT_EQ(sheet.cell(3, 134).fill().value(), kEquilibriumMarkTint);
    EXPECT_EQ(sheet.cell(3, 135).fill().value(), 0u);  // beyond the row's last field
    EXPECT_EQ(sheet.cell(4, 1).fill().value(), 0u);
    EXPECT_EQ(sheet.cell(3, 106).value().value(), "850.123456789");  // all digits

    Workbook book = window->outputWorkbook();
    auto run = book.worksheetNamed("Run");
    ASSERT_TRUE(run.ok());
    EXPECT_EQ(book.worksheetCount().value(), 2);
    EXPECT_EQ(run->cell(1, 1).value().value(), "Run 1");
    EXPECT_EQ(run->cell(4, 1).value().value(), "Input file");
    EXPECT_EQ(run->cell(4, 2).value().value(), "/data/first.mi");

    // The verdict edited and sent again: the fill goes.
    table().setText(2, 133, "Passed");
    action("mnuSEF").trigger();
    EXPECT_EQ(sheet.cell(3, 1).fill().value(), 0u);
}

}  // namespace
}  // namespace kelvorad::fakes
