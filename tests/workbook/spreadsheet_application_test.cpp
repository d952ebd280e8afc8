// The application object as the windows drive it: open, put, show (save and hand to the
// desktop), quit (discard), attach and the global quit, and references that went stale.
#include <gtest/gtest.h>

#include <filesystem>

#include "spreadsheet_application.h"
#include "workbook_reader.h"
#include "workbook_test_support.h"
#include "xlsx_writer.h"

namespace kelvorad {
namespace {

namespace fs = std::filesystem;
using testing::fixture;
using testing::readFile;
using testing::RecordingShell;
using testing::ScratchFolder;
using testing::writeFile;

// Each test starts with no live application left over from another.
class Application : public ::testing::Test {
  protected:
    void SetUp() override { quitAllApplications(); }
    void TearDown() override { quitAllApplications(); }
    RecordingShell shell;
    ScratchFolder folder;
};

TEST_F(Application, OutputWorkbookIsCreatedOnFirstShowAndHandedToTheDesktop) {
    auto app = SpreadsheetApplication::create(shell);
    ASSERT_TRUE(app.setVisible(false).ok());
    auto workbook = app.workbooks().openOrCreate(folder / "Output.xlsx");
    ASSERT_TRUE(workbook.ok()) << workbook.error();
    EXPECT_FALSE(fs::exists(folder / "Output.xlsx"));  // kept in memory until shown
    auto sheet = workbook->worksheet(1);
    ASSERT_TRUE(sheet.ok());
    ASSERT_TRUE(sheet->cell(1, 1).setValue("Kelvorad").ok());
    ASSERT_TRUE(sheet->cell(3, 2).setValue("735.5").ok());

    const Status shown = app.setVisible(true);
    ASSERT_TRUE(shown.ok()) << shown.error();
    ASSERT_EQ(shell.opened.size(), 1u);
    EXPECT_EQ(fs::path(shell.opened[0]), fs::canonical(folder / "Output.xlsx"));
    auto saved = readWorkbookFile(folder / "Output.xlsx");
    ASSERT_TRUE(saved.ok());
    EXPECT_EQ(saved->sheets[0].cells.at(CellAddress{1, 1}).text, "Kelvorad");
    EXPECT_EQ(saved->sheets[0].cells.at(CellAddress{3, 2}).kind, CellKind::Number);
    EXPECT_FALSE(workbook->isChanged().value());
}

TEST_F(Application, ShowingAgainSavesNewCellsAndOpensTheWorkbookAgain) {
    auto app = SpreadsheetApplication::create(shell);
    auto workbook = app.workbooks().openOrCreate(folder / "Output.xlsx");
    auto sheet = workbook->worksheet(1).value();
    ASSERT_TRUE(app.setVisible(true).ok());
    const std::string first = readFile(folder / "Output.xlsx");
    ASSERT_TRUE(sheet.cell(2, 2).setValue("Passed").ok());
    ASSERT_TRUE(app.setVisible(true).ok());
    EXPECT_EQ(shell.opened.size(), 2u);
    EXPECT_NE(readFile(folder / "Output.xlsx"), first);
    EXPECT_EQ(readWorkbookFile(folder / "Output.xlsx")->sheets[0].cells.at({2, 2}).text, "Passed");
}

TEST_F(Application, QuitDiscardsWhatWasNotSavedAndEndsEveryReference) {
    std::filesystem::copy_file(fixture("pairs.xlsx"), folder / "pairs.xlsx");
    const std::string before = readFile(folder / "pairs.xlsx");
    auto app = SpreadsheetApplication::create(shell);
    auto workbook = app.workbooks().open(folder / "pairs.xlsx");
    ASSERT_TRUE(workbook.ok()) << workbook.error();
    auto sheet = workbook->activeSheet().value();
    ASSERT_TRUE(sheet.cell(2, 3).setValue("99").ok());
    EXPECT_EQ(sheet.cell(2, 3).value().value(), "99");

    ASSERT_TRUE(app.quit().ok());
    EXPECT_EQ(readFile(folder / "pairs.xlsx"), before);
    EXPECT_TRUE(shell.opened.empty());
    EXPECT_TRUE(app.hasQuit());
    EXPECT_FALSE(sheet.cell(2, 3).value().ok());
    EXPECT_FALSE(sheet.cell(2, 3).setValue("1").ok());
    EXPECT_FALSE(workbook->activeSheet().ok());
    EXPECT_FALSE(app.setVisible(true).ok());
    EXPECT_FALSE(app.workbooks().open(folder / "pairs.xlsx").ok());
    EXPECT_FALSE(app.quit().ok());

    // A new application reads the file as it was on disk.
    auto fresh = SpreadsheetApplication::create(shell);
    auto reopened = fresh.workbooks().open(folder / "pairs.xlsx");
    EXPECT_EQ(reopened->activeSheet()->cell(2, 3).value().value(), "0.12");
}

// Fills stay with their cells as values come and go, and a sheet found by name is added once.
TEST_F(Application, FillsOutliveValuesAndSheetsAreFoundOrAddedByName) {
    auto app = SpreadsheetApplication::create(shell);
    auto workbook = app.workbooks().openOrCreate(folder / "Output.xlsx");
    ASSERT_TRUE(workbook.ok()) << workbook.error();
    auto sheet = workbook->worksheet(1);
    ASSERT_TRUE(sheet.ok());
    ASSERT_TRUE(sheet->cell(2, 2).setFill(0xF4C7C3).ok());
    EXPECT_EQ(sheet->cell(2, 2).kind().value(), CellKind::Empty);
    ASSERT_TRUE(sheet->cell(2, 2).setValue("851.25").ok());
    EXPECT_EQ(sheet->cell(2, 2).fill().value(), 0xF4C7C3u);
    ASSERT_TRUE(sheet->cell(2, 2).setValue("").ok());
    EXPECT_EQ(sheet->cell(2, 2).fill().value(), 0xF4C7C3u);  // an empty, tinted cell
    ASSERT_TRUE(sheet->cell(2, 2).setFill(0).ok());
    EXPECT_EQ(sheet->cell(2, 2).fill().value(), 0u);

    auto run = workbook->worksheetNamed("Run");
    ASSERT_TRUE(run.ok());
    EXPECT_EQ(workbook->worksheetCount().value(), 2);
    ASSERT_TRUE(run->cell(1, 1).setValue("Run 1").ok());
    auto again = workbook->worksheetNamed("run");
    ASSERT_TRUE(again.ok());
    EXPECT_EQ(again->cell(1, 1).value().value(), "Run 1");
    EXPECT_EQ(workbook->worksheetCount().value(), 2);
    ASSERT_TRUE(again->clear().ok());
    EXPECT_EQ(run->cell(1, 1).value().value(), "");

    // Saved and read back: the values and both sheets survive.
    ASSERT_TRUE(sheet->cell(3, 1).setValue("x").ok());
    ASSERT_TRUE(sheet->cell(3, 1).setFill(0xFCE8B2).ok());
    ASSERT_TRUE(run->cell(1, 1).setValue("Run 1").ok());
    ASSERT_TRUE(workbook->save().ok());
    auto read = readWorkbookFile(folder / "Output.xlsx");
    ASSERT_TRUE(read.ok()) << read.error();
    ASSERT_EQ(read->sheets.size(), 2u);
    EXPECT_EQ(read->sheets[1].name, "Run");
    EXPECT_EQ(read->sheets[0].cells.at(CellAddress{3, 1}).text, "x");
}

TEST_F(Application, EmptyReferencesFailWithoutHarm) {
    SpreadsheetApplication none;
    const Status shown = none.setVisible(true);
    EXPECT_FALSE(shown.ok());
    EXPECT_NE(shown.error().find("object required"), std::string::npos);
    EXPECT_FALSE(none.workbooks().open(fixture("pairs.xlsx")).ok());
    EXPECT_FALSE(none.quit().ok());
    Workbook noWorkbook;
    EXPECT_FALSE(noWorkbook.worksheet(1).ok());
    Worksheet noSheet;
    EXPECT_FALSE(noSheet.cell(1, 1).setValue("x").ok());
    EXPECT_FALSE(noSheet.cell(1, 1).value().ok());
}

TEST_F(Application, CellsAreAddressedFromOneWithinTheSheet) {
    auto app = SpreadsheetApplication::create(shell);
    auto workbook = app.workbooks().open(fixture("pairs.xls"));
    ASSERT_TRUE(workbook.ok()) << workbook.error();
    auto notes = workbook->worksheet(1).value();
    EXPECT_EQ(notes.name().value(), "Notes");
    EXPECT_EQ(notes.cell(1, 1).value().value(), "Not the analyses");
    EXPECT_EQ(notes.cell(5, 5).value().value(), "");  // empty cell, empty text
    EXPECT_FALSE(notes.cell(0, 1).value().ok());
    EXPECT_FALSE(notes.cell(1, 16385).setValue("x").ok());
    EXPECT_FALSE(workbook->worksheet(0).ok());
    EXPECT_FALSE(workbook->worksheet(3).ok());
    EXPECT_EQ(workbook->worksheetCount().value(), 2);
}

TEST_F(Application, ChangedXlsOrOdsWorkbookIsSavedAsXlsxBesideIt) {
    for (const char* name : {"pairs.xls", "pairs.ods"}) {
        std::filesystem::copy_file(fixture(name), folder / name);
        const std::string original = readFile(folder / name);
        auto app = SpreadsheetApplication::create(shell);
        auto workbook = app.workbooks().open(folder / name);
        ASSERT_TRUE(workbook.ok()) << workbook.error();
        EXPECT_EQ(workbook->savePath()->filename(), std::string(name) + ".xlsx");
        ASSERT_TRUE(workbook->activeSheet()->cell(123, 1).setValue(" ").ok());
        ASSERT_TRUE(app.setVisible(true).ok());

        EXPECT_EQ(readFile(folder / name), original) << name;
        auto saved = readWorkbookFile(folder / (std::string(name) + ".xlsx"));
        ASSERT_TRUE(saved.ok()) << saved.error();
        EXPECT_EQ(saved->sheets[saved->activeSheet].cells.at({123, 1}).text, " ");
        EXPECT_EQ(saved->sheets[saved->activeSheet].cells.at({2, 2}).text, "MT-1 core");
        EXPECT_EQ(fs::path(shell.opened.back()).filename(), std::string(name) + ".xlsx");
    }
}

TEST_F(Application, CopySavedFromXlsInAnEarlierSessionIsReplaced) {
    std::filesystem::copy_file(fixture("pairs.xls"), folder / "pairs.xls");
    std::filesystem::copy_file(fixture("types.xlsx"), folder / "pairs.xls.xlsx");  // stale
    auto app = SpreadsheetApplication::create(shell);
    auto workbook = app.workbooks().open(folder / "pairs.xls");
    ASSERT_TRUE(workbook->activeSheet()->cell(123, 1).setValue(" ").ok());
    ASSERT_TRUE(workbook->save().ok());
    auto saved = readWorkbookFile(folder / "pairs.xls.xlsx");
    ASSERT_TRUE(saved.ok());
    ASSERT_EQ(saved->sheets.size(), 2u);
    EXPECT_EQ(saved->sheets[1].cells.at({2, 2}).text, "MT-1 core");
    EXPECT_EQ(saved->sheets[1].cells.at({123, 1}).text, " ");
}

TEST_F(Application, UnchangedWorkbookIsShownFromItsOwnFileWithoutSaving) {
    std::filesystem::copy_file(fixture("pairs.xls"), folder / "Kelvorad.xls");
    auto app = SpreadsheetApplication::create(shell);
    ASSERT_TRUE(app.workbooks().open(folder / "Kelvorad.xls").ok());
    ASSERT_TRUE(app.setVisible(true).ok());
    ASSERT_EQ(shell.opened.size(), 1u);
    EXPECT_EQ(fs::path(shell.opened[0]).filename(), "Kelvorad.xls");
    EXPECT_EQ(folder.fileNames(), std::vector<std::string>{"Kelvorad.xls"});
}

TEST_F(Application, EditsSavedMeanwhileByTheUserSurviveTheNextShow) {
    auto app = SpreadsheetApplication::create(shell);
    auto workbook = app.workbooks().openOrCreate(folder / "Output.xlsx");
    auto sheet = workbook->worksheet(1).value();
    ASSERT_TRUE(sheet.cell(1, 1).setValue("Kelvorad").ok());
    ASSERT_TRUE(app.setVisible(true).ok());

    // The user adds a note in the desktop program and saves there.
    auto edited = readWorkbookFile(folder / "Output.xlsx").value();
    edited.sheets[0].cells[CellAddress{10, 10}] = CellValue{CellKind::Text, "my note", 0.0};
    edited.sheets[0].cells[CellAddress{1, 2}] = CellValue{CellKind::Text, "user's B1", 0.0};
    ASSERT_TRUE(writeXlsxFile(edited, folder / "Output.xlsx").ok());

    ASSERT_TRUE(sheet.cell(1, 2).setValue("12.5").ok());
    const Status shown = app.setVisible(true);
    ASSERT_TRUE(shown.ok()) << shown.error();
    const auto cells = readWorkbookFile(folder / "Output.xlsx")->sheets[0].cells;
    EXPECT_EQ(cells.at({10, 10}).text, "my note");
    EXPECT_EQ(cells.at({1, 2}).text, "12.5");  // the program's put is the newer one
    EXPECT_EQ(cells.at({1, 1}).text, "Kelvorad");
}

TEST_F(Application, FailedSaveIsReportedAndTheOtherWorkbooksStillShow) {
    auto app = SpreadsheetApplication::create(shell);
    auto lost = app.workbooks().openOrCreate(folder / "gone" / "Output.xlsx");
    ASSERT_TRUE(lost.ok());
    std::filesystem::copy_file(fixture("pairs.xlsx"), folder / "pairs.xlsx");
    ASSERT_TRUE(app.workbooks().open(folder / "pairs.xlsx").ok());
    const Status shown = app.setVisible(true);
    ASSERT_FALSE(shown.ok());
    EXPECT_NE(shown.error().find("Output.xlsx"), std::string::npos);
    ASSERT_EQ(shell.opened.size(), 1u);
    EXPECT_EQ(fs::path(shell.opened[0]).filename(), "pairs.xlsx");
    EXPECT_TRUE(lost->isChanged().value());  // still in memory, not lost
}

TEST_F(Application, DesktopRefusingTheDocumentIsReported) {
    shell.accept = false;
    auto app = SpreadsheetApplication::create(shell);
    ASSERT_TRUE(app.workbooks().open(fixture("pairs.xlsx")).ok());
    const Status shown = app.setVisible(true);
    ASSERT_FALSE(shown.ok());
    EXPECT_NE(shown.error().find("pairs.xlsx"), std::string::npos);
}

TEST_F(Application, OpeningTheSameFileTwiceGivesTheSameWorkbook) {
    auto app = SpreadsheetApplication::create(shell);
    auto first = app.workbooks().open(fixture("pairs.xlsx"));
    ASSERT_TRUE(first->activeSheet()->cell(1, 1).setValue("changed").ok());
    auto second = app.workbooks().open(fixture("pairs.xlsx"));
    EXPECT_EQ(second->activeSheet()->cell(1, 1).value().value(), "changed");
    EXPECT_EQ(app.workbooks().count().value(), 1);
}

TEST_F(Application, AttachFindsTheLatestLiveApplicationAndGlobalQuitEndsThemAll) {
    EXPECT_FALSE(SpreadsheetApplication::attach().ok());
    auto first = SpreadsheetApplication::create(shell);
    auto second = SpreadsheetApplication::create(shell);
    auto workbook = second.workbooks().openOrCreate(folder / "Output.xlsx");
    ASSERT_TRUE(workbook->worksheet(1)->cell(1, 1).setValue("unsaved").ok());

    auto attached = SpreadsheetApplication::attach();
    ASSERT_TRUE(attached.ok());
    EXPECT_EQ(attached->workbooks().count().value(), 1);  // it is the second one

    ASSERT_TRUE(second.quit().ok());
    EXPECT_EQ(SpreadsheetApplication::attach()->workbooks().count().value(), 0);  // the first

    EXPECT_TRUE(quitAllApplications().ok());
    EXPECT_TRUE(first.hasQuit());
    EXPECT_FALSE(SpreadsheetApplication::attach().ok());
    EXPECT_FALSE(fs::exists(folder / "Output.xlsx"));
    EXPECT_TRUE(quitAllApplications().ok());  // nothing left to quit is no failure
}

}  // namespace
}  // namespace kelvorad
