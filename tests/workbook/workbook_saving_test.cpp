// Writing tables into workbooks and saving them: every cell comes back, numbers as numbers,
// saves are atomic, and a file changed meanwhile by the user keeps the user's cells.
#include <gtest/gtest.h>

#include <locale.h>

#include <cstdio>
#include <cstdlib>

#include <string>

#include "cell_entry.h"
#include "grid_transfer.h"
#include "number_text.h"
#include "spreadsheet_application.h"
#include "workbook_reader.h"
#include "workbook_test_support.h"
#include "xlsx_writer.h"

namespace kelvorad {
namespace {

using testing::fixture;
using testing::readFile;
using testing::RecordingShell;
using testing::ScratchFolder;
using testing::writeFile;

constexpr int kResultColumns = 211;

// Row 0 of a results table: "Kelvorad" and the column numbers 1 to 135.
void writeColumnNumbers(TextGrid& grid) {
    grid.setText(0, 0, "Kelvorad");
    for (int c = 1; c <= 135; ++c) grid.setText(0, c, std::to_string(c));
}

// A results-like table: two header rows, then rows mixing numbers in general format, words,
// a sample name and empty cells, as calculation runs leave them.
TextGrid resultsLikeTable(int resultRows) {
    TextGrid grid(2 + resultRows, kResultColumns);
    writeColumnNumbers(grid);
    grid.setText(1, 0, "Sample");
    grid.setText(1, 1, "SiO2 (M)");
    grid.setText(1, 133, "[Bacon and Hirschmann (1988) Test]");
    for (int r = 2; r < grid.rowCount(); ++r) {
        grid.setText(r, 0, "MT-" + std::to_string(r - 1) + " / IL");
        for (int c = 1; c <= 131; ++c) {
            if (c % 17 == 0) continue;  // spacer columns stay empty
            const double value = (r * 1000.0 + c) / 7.0 * ((c % 3) ? 1.0 : -1e-6);
            grid.setText(r, c, formatNumber(value));
        }
        grid.setText(r, 133, r % 2 ? "Passed" : "Failed");
    }
    return grid;
}

void expectWorkbookHolds(const std::filesystem::path& file, const TextGrid& grid) {
    auto workbook = readWorkbookFile(file);
    ASSERT_TRUE(workbook.ok()) << workbook.error();
    const SheetData& sheet = workbook->sheets.at(0);
    std::size_t nonEmpty = 0;
    for (int r = 0; r < grid.rowCount(); ++r) {
        for (int c = 0; c < grid.columnCount(); ++c) {
            const std::string& expected = grid.text(r, c);
            const auto found = sheet.cells.find(CellAddress{r + 1, c + 1});
            const std::string actual = found == sheet.cells.end() ? "" : found->second.text;
            ASSERT_EQ(actual, expected) << "worksheet cell " << r + 1 << ", " << c + 1;
            if (expected.empty()) continue;
            ++nonEmpty;
            // Stored as a number exactly when the text reads as one, so the user can compute.
            const bool number = wholeNumberValue(expected).has_value();
            EXPECT_EQ(found->second.kind, number ? CellKind::Number : CellKind::Text)
                << "worksheet cell " << r + 1 << ", " << c + 1 << ": " << expected;
        }
    }
    EXPECT_EQ(sheet.cells.size(), nonEmpty);  // nothing else was written
}

TEST(SavingTables, ResultsTableRoundTripsCellForCellWithNumbersAsNumbers) {
    ScratchFolder folder;
    const TextGrid table = resultsLikeTable(40);
    const Status saved = writeGridToWorkbookFile(table, folder / "Output.xlsx");
    ASSERT_TRUE(saved.ok()) << saved.error();
    expectWorkbookHolds(folder / "Output.xlsx", table);
    EXPECT_EQ(folder.fileNames(), std::vector<std::string>{"Output.xlsx"});  // no leftovers
}

TEST(SavingTables, HeaderRowsAloneSend2By211Cells) {
    ScratchFolder folder;
    TextGrid table(2, kResultColumns);
    writeColumnNumbers(table);
    table.setText(1, 0, "Sample");
    table.setText(1, 45, "Fe2O3");
    table.setText(1, 133, "[Bacon and Hirschmann (1988) Test]");
    ASSERT_TRUE(writeGridToWorkbookFile(table, folder / "Output.xlsx").ok());

    expectWorkbookHolds(folder / "Output.xlsx", table);
    auto workbook = readWorkbookFile(folder / "Output.xlsx");
    const auto& cells = workbook->sheets[0].cells;
    EXPECT_EQ(cells.at(CellAddress{1, 1}).text, "Kelvorad");
    EXPECT_EQ(cells.at(CellAddress{1, 136}).text, "135");
    EXPECT_EQ(cells.at(CellAddress{1, 136}).kind, CellKind::Number);
    EXPECT_EQ(cells.count(CellAddress{1, 137}), 0u);
    EXPECT_EQ(cells.at(CellAddress{2, 1}).text, "Sample");
    EXPECT_EQ(cells.at(CellAddress{2, 134}).text, "[Bacon and Hirschmann (1988) Test]");
    EXPECT_EQ(cells.count(CellAddress{3, 1}), 0u);
}

TEST(SavingTables, ShorterTableOverwritesItsCellsAndLeavesRowsBelow) {
    ScratchFolder folder;
    ASSERT_TRUE(writeGridToWorkbookFile(resultsLikeTable(5), folder / "Output.xlsx").ok());
    TextGrid shorter = resultsLikeTable(2);
    shorter.setText(2, 5, "");  // an emptied cell empties the worksheet cell
    ASSERT_TRUE(writeGridToWorkbookFile(shorter, folder / "Output.xlsx").ok());

    auto workbook = readWorkbookFile(folder / "Output.xlsx");
    ASSERT_TRUE(workbook.ok());
    const auto& cells = workbook->sheets[0].cells;
    EXPECT_EQ(cells.count(CellAddress{3, 6}), 0u);
    EXPECT_EQ(cells.at(CellAddress{7, 1}).text, "MT-5 / IL");  // row of the longer table
}

TEST(SavingTables, UnreadableExistingFileIsNotOverwritten) {
    ScratchFolder folder;
    writeFile(folder / "Output.xlsx", "my notes, not a workbook");
    const Status saved = writeGridToWorkbookFile(resultsLikeTable(1), folder / "Output.xlsx");
    ASSERT_FALSE(saved.ok());
    EXPECT_NE(saved.error().find("Output.xlsx"), std::string::npos);
    EXPECT_EQ(readFile(folder / "Output.xlsx"), "my notes, not a workbook");
}

TEST(SavingTables, FailedSaveLeavesTheOldFileAndNoTemporaryFile) {
    ScratchFolder folder;
    ASSERT_TRUE(writeGridToWorkbookFile(resultsLikeTable(1), folder / "Output.xlsx").ok());
    const std::string before = readFile(folder / "Output.xlsx");
    // A cell the file format cannot hold makes the writing fail half way.
    WorkbookData unwritable;
    unwritable.sheets.push_back(SheetData{"Sheet1", {}});
    unwritable.sheets[0].cells[CellAddress{1, 1}] = CellValue{CellKind::Number, "1", 1.0};
    unwritable.sheets[0].cells[CellAddress{2, 1}] =
        CellValue{CellKind::Text, std::string(40000, 'x'), 0.0};
    const Status saved = writeXlsxFile(unwritable, folder / "Output.xlsx");
    ASSERT_FALSE(saved.ok());
    EXPECT_NE(saved.error().find("Output.xlsx"), std::string::npos);
    EXPECT_EQ(readFile(folder / "Output.xlsx"), before);
    EXPECT_EQ(folder.fileNames(), std::vector<std::string>{"Output.xlsx"});
}

TEST(SavingTables, NewFileNotNamedXlsxGetsTheExtensionAppended) {
    ScratchFolder folder;
    ASSERT_TRUE(writeGridToWorkbookFile(resultsLikeTable(1), folder / "results.xls").ok());
    EXPECT_EQ(folder.fileNames(), std::vector<std::string>{"results.xls.xlsx"});
    expectWorkbookHolds(folder / "results.xls.xlsx", resultsLikeTable(1));
}

TEST(SavingTables, SaveIntoAMissingFolderFailsWithTheFileNamed) {
    ScratchFolder folder;
    const auto target = folder / "no-such-folder" / "Output.xlsx";
    const Status saved = writeGridToWorkbookFile(resultsLikeTable(1), target);
    ASSERT_FALSE(saved.ok());
    EXPECT_NE(saved.error().find("no-such-folder"), std::string::npos);
}

TEST(SavingWorkbooks, LoadedCellsKeepTheirTypesAndSheetsTheirOrder) {
    ScratchFolder folder;
    std::filesystem::copy_file(fixture("types.xlsx"), folder / "types.xlsx");
    auto original = readWorkbookFile(folder / "types.xlsx");
    ASSERT_TRUE(original.ok());
    original->sheets.push_back(SheetData{"Second: [x]", {}});
    original->sheets.push_back(SheetData{"second_ [x]", {}});
    original->activeSheet = 1;
    ASSERT_TRUE(writeXlsxFile(original.value(), folder / "again.xlsx").ok());

    auto again = readWorkbookFile(folder / "again.xlsx");
    ASSERT_TRUE(again.ok()) << again.error();
    ASSERT_EQ(again->sheets.size(), 3u);
    EXPECT_EQ(again->sheets[1].name, "Second_ _x_");  // characters a tab cannot carry
    EXPECT_EQ(again->sheets[2].name, "second_ _x_ (2)");
    EXPECT_EQ(again->activeSheet, 1u);
    for (const auto& [address, cell] : original->sheets[0].cells) {
        const auto& copy = again->sheets[0].cells.at(address);
        EXPECT_EQ(copy.text, cell.text) << address.row;
        EXPECT_EQ(copy.kind, cell.kind) << address.row;
    }
}

TEST(SavingWorkbooks, UnusualTextsSurviveTheRoundTrip) {
    ScratchFolder folder;
    WorkbookData data;
    data.sheets.push_back(SheetData{"Sheet1", {}});
    const std::vector<std::string> texts = {
        "<b>&amp;</b> \"quoted\" 'single'",
        "Fe\xC2\xB3\xE2\x81\xBA",
        "two\nlines",
        "  leading blanks",
        "tab\there",
        "1,5",
        "TRUE",
        "bell\x07 and unit\x1F separators",  // written as _x0007_ escapes
        "_x0041_ is not an A",
        "_x00_ _xZZZZ_"};
    for (std::size_t i = 0; i < texts.size(); ++i) {
        data.sheets[0].cells[CellAddress{static_cast<int>(i) + 1, 1}] =
            CellValue{CellKind::Text, texts[i], 0.0};
    }
    ASSERT_TRUE(writeXlsxFile(data, folder / "texts.xlsx").ok());
    auto again = readWorkbookFile(folder / "texts.xlsx");
    ASSERT_TRUE(again.ok()) << again.error();
    for (std::size_t i = 0; i < texts.size(); ++i) {
        EXPECT_EQ(again->sheets[0].cells.at(CellAddress{static_cast<int>(i) + 1, 1}).text,
                  texts[i]);
    }
}

// A locale whose decimal point is a comma, built into `folder` when the machine has none.
locale_t commaLocale(const ScratchFolder& folder) {
    locale_t comma = newlocale(LC_NUMERIC_MASK, "de_DE.UTF-8", static_cast<locale_t>(nullptr));
    if (comma) return comma;
    const std::string build =
        "localedef -i de_DE -f UTF-8 '" + (folder / "de_DE.UTF-8").string() + "' >/dev/null 2>&1";
    if (std::system(build.c_str()) != 0) return static_cast<locale_t>(nullptr);
    setenv("LOCPATH", folder.path().c_str(), 1);
    comma = newlocale(LC_NUMERIC_MASK, "de_DE.UTF-8", static_cast<locale_t>(nullptr));
    unsetenv("LOCPATH");
    return comma;
}

TEST(SavingWorkbooks, NumbersAreWrittenWithAPointUnderACommaLocale) {
    ScratchFolder folder;
    const locale_t comma = commaLocale(folder);
    if (!comma) GTEST_SKIP() << "no locale with a decimal comma can be had on this machine";
    const locale_t previous = uselocale(comma);
    char printed[16];
    std::snprintf(printed, sizeof printed, "%.1f", 2.5);
    const Status saved = writeGridToWorkbookFile(resultsLikeTable(1), folder / "Output.xlsx");
    uselocale(previous);
    freelocale(comma);
    ASSERT_STREQ(printed, "2,5");  // the locale is really in force
    ASSERT_TRUE(saved.ok());
    expectWorkbookHolds(folder / "Output.xlsx", resultsLikeTable(1));
}

}  // namespace
}  // namespace kelvorad
