// Sending the results table to Output.xlsx: the cell mapping, the progress bar, the captions
// of the send with notice, showing the workbook (which saves it), closing the spreadsheet, and
// the error report when the link is empty.
#include <QLabel>
#include <QProgressBar>
#include <fstream>

#include "results_window_fixture.h"

namespace kelvorad::fakes {
namespace {

using Export = ResultsWindowTest;
using Answer = MessageBoxes::Answer;

std::string cellText(const Worksheet& sheet, int row, int column) {
    const Result<std::string> value = sheet.cell(row, column).value();
    return value ? value.value() : "<" + value.error() + ">";
}

TEST_F(Export, HeaderRowsAloneSend2By211Cells) {
    ASSERT_TRUE(window->outputWorksheet().isSet()) << "created when Output.xlsx is absent";
    window->outputWorksheet().cell(3, 1).setValue("left from before");
    action("mnuSEF").trigger();
    const Worksheet& sheet = window->outputWorksheet();
    EXPECT_EQ(cellText(sheet, 1, 1), "Kelvorad");
    EXPECT_EQ(cellText(sheet, 1, 2), "1");
    EXPECT_EQ(cellText(sheet, 1, 136), "135");
    EXPECT_EQ(cellText(sheet, 2, 1), "Sample");
    EXPECT_EQ(cellText(sheet, 2, 134), "[Bacon and Hirschmann (1988) Test]");
    EXPECT_EQ(cellText(sheet, 3, 1), "left from before") << "rows below the table stay";
    EXPECT_EQ(current(), std::make_pair(1, 210)) << "the copy ends on the last cell";
    EXPECT_FALSE(widget<QProgressBar>("ProgressBar1").isVisible());
    EXPECT_TRUE(desktop.messages.shown.empty());
}

TEST_F(Export, ShowingSavesARoundTripOfEveryCellWithNumbersAsNumbers) {
    appendRows(2);
    table().setText(2, 97, "812.345678901234");
    table().setText(2, 126, "-1.5E-05");
    table().setText(3, 133, "Passed");
    table().setText(3, 150, "beyond the row");
    window->toolbarButton(9).trigger();
    window->toolbarButton(10).trigger();
    const auto saved = folder.path() / "Output.xlsx";
    ASSERT_TRUE(std::filesystem::exists(saved));
    ASSERT_EQ(desktop.shell.opened, std::vector<std::string>{saved.string()});
    EXPECT_TRUE(desktop.messages.shown.empty());

    SpreadsheetApplication reader = SpreadsheetApplication::create(desktop.shell);
    Result<Workbook> book = reader.workbooks().open(saved);
    ASSERT_TRUE(book) << book.error();
    const Worksheet sheet = book->worksheet(1).value();
    for (int r = 0; r < table().rowCount(); ++r) {
        for (int c = 0; c < table().columnCount(); ++c) {
            ASSERT_EQ(cellText(sheet, r + 1, c + 1), table().text(r, c)) << r << "," << c;
        }
    }
    EXPECT_EQ(sheet.cell(3, 98).kind().value(), CellKind::Number);
    EXPECT_EQ(sheet.cell(3, 127).kind().value(), CellKind::Number);
    EXPECT_EQ(sheet.cell(1, 50).kind().value(), CellKind::Number);
    EXPECT_EQ(sheet.cell(4, 134).kind().value(), CellKind::Text);
    reader.quit();
}

TEST_F(Export, ProgressClimbsToFiftyThenStaysAtTwoForASixtyRowTable) {
    appendRows(58);
    ASSERT_EQ(table().rowCount(), 60);
    std::vector<int> values;
    window->setProgressObserver([&values](int value) { values.push_back(value); });
    window->sendResultsToWorkbook();
    std::vector<int> expected{1};
    for (int r = 0; r < 60; ++r) {
        expected.push_back(r + 2 <= 50 ? r + 2 : 2);  // 51 and above are not taken
        expected.push_back(2);
    }
    EXPECT_EQ(values, expected);
}

TEST_F(Export, SendWithNoticeChangesTheCaptionsWhileItWorks) {
    std::vector<std::pair<QString, QString>> seen;
    window->setProgressObserver([this, &seen](int) {
        seen.emplace_back(widget<QLabel>("Label3").text(), widget<QLabel>("Label2").text());
    });
    window->toolbarButton(9).trigger();
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen.front().first, "Wait Please");
    EXPECT_EQ(seen.front().second,
              "The program sends all calculated results to the Excel file named as Output.xlsx.");
    EXPECT_EQ(widget<QLabel>("Label3").text(), "Calculation Screen");
    EXPECT_EQ(widget<QLabel>("Label2").text(),
              "A Desktop Program for Magnetite - Ilmenite Geothermometer and Oxygen Barometer");
}

TEST_F(Export, AnUnreadableOutputWorkbookLeavesTheLinkEmptyAndIsReported) {
    window.reset();
    const auto corrupt = folder.path() / "Output.xlsx";
    std::ofstream(corrupt) << "not a workbook";
    openWindow();
    EXPECT_TRUE(window->spreadsheetApplication().isSet());
    EXPECT_FALSE(window->outputWorkbook().isSet());
    EXPECT_FALSE(window->outputWorksheet().isSet());
    EXPECT_EQ(table().rowCount(), 2) << "the window still opens with its header rows";

    window->toolbarButton(10).trigger();
    window->toolbarButton(9).trigger();
    const std::string objectRequired = "Object required. Possibly [Output.Xls]";
    EXPECT_EQ(messages(), std::vector<std::string>(2, objectRequired));
    std::ifstream in(corrupt);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "not a workbook");
}

TEST_F(Export, ClosingAsksAboutSentResultsThatWereNeverSaved) {
    window->sendResultsToWorkbook();
    desktop.messages.answers = {Answer::Cancel};
    action("mnuEOX").trigger();
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(window->spreadsheetApplication().hasQuit());

    desktop.messages.answers = {Answer::Yes};
    action("mnuEOX").trigger();
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(window->spreadsheetApplication().hasQuit());
    EXPECT_TRUE(std::filesystem::exists(folder.path() / "Output.xlsx"));
    EXPECT_EQ(desktop.messages.questionCount(), 2);
}

TEST_F(Export, ClosingAfterShowingAsksNothingAndQuits) {
    window->sendResultsToWorkbook();
    window->showSpreadsheet();
    action("mnuEOX").trigger();
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(window->spreadsheetApplication().hasQuit());
    EXPECT_EQ(desktop.messages.questionCount(), 0);
}

}  // namespace
}  // namespace kelvorad::fakes
