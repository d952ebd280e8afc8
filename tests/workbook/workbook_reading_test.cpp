// Reading workbooks: the three formats give the same analysis table, the block outside the
// table is ignored, cell types read as documented, and damaged files fail without harm.
#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "analysis_table.h"
#include "grid_transfer.h"
#include "spreadsheet_application.h"
#include "workbook_reader.h"
#include "workbook_test_support.h"
#include "zip_guard.h"

namespace kelvorad {
namespace {

using testing::fixture;
using testing::readFile;
using testing::ScratchFolder;
using testing::writeFile;

// Types the fields of one analysis pair into row `row` from column 1, a Tab after each cell,
// the way a user fills the table.
void typePair(AnalysisTable& table, int row, const std::vector<std::string>& fields) {
    table.setCurrent(row, 1);
    for (const std::string& field : fields) {
        for (char c : field) table.typeKey(static_cast<unsigned char>(c));
        table.typeKey(9);
    }
}

AnalysisTable tableTypedByHand() {
    AnalysisTable table;
    typePair(table, 1, {"MT-1 core", "0.12", "8.45", "2.1",  "0.35", "0.05", "0", "",  "80.5",
                        "0.45",      "0.02", "0.1",  "1.85", "0",    "0",    "0", "0", "",
                        "IL-1 core", "0.05", "45.2", "0.3",  "0.2",  "0.02", "0", "",  "48.9",
                        "0.7",       "0",    "0.03", "2.4",  "0.01", "0",    "0", "0"});
    typePair(table, 2,
             {"MT-2", "0.2",  "12.75", "1.6",  "0.5",  "0.11", "0.01", "",  "77.123456789",
              "0.6",  "0",    "0.15",  "2.3",  "0.04", "0",    "0",    "0", "",
              "IL-2", "0.1",  "47.85", "0.25", "0.33", "0.04", "0",    "",  "46.01",
              "0.9",  "0.02", "0.05",  "3.1",  "0",    "0.01", "0",    "0"});
    typePair(table, 3,
             {"Ti-mag \"rim\" & <core>",
              "0.07",
              "5.5",
              "3.25",
              "0.4",
              "1.5",
              "0",
              "",
              "84",
              "0.3",
              "0.05",
              "0.2",
              "1.1",
              "0",
              "0.02",
              "0",
              "0.01",
              "",
              "Ilm rim",
              "",
              "39.8",
              "0.15",
              "0.18",
              "0.6",
              "0.01",
              "",
              "55.4",
              "0.5",
              "0.01",
              "0.02",
              "1.2",
              "0.03",
              "0",
              "0",
              "0"});
    return table;
}

void expectSameCells(const TextGrid& actual, const TextGrid& expected) {
    ASSERT_EQ(actual.rowCount(), expected.rowCount());
    ASSERT_EQ(actual.columnCount(), expected.columnCount());
    for (int r = 0; r < expected.rowCount(); ++r) {
        for (int c = 0; c < expected.columnCount(); ++c) {
            ASSERT_EQ(actual.text(r, c), expected.text(r, c)) << "cell " << r << ", " << c;
        }
    }
}

class LoadingPairs : public ::testing::TestWithParam<const char*> {};

TEST_P(LoadingPairs, ActiveSheetGivesTheTableTypedByHand) {
    TextGrid loaded(2, 2);
    const Status status = copyActiveSheetIntoGrid(fixture(GetParam()), loaded);
    ASSERT_TRUE(status.ok()) << status.error();
    expectSameCells(loaded, tableTypedByHand());
}

TEST_P(LoadingPairs, DataBeyondRow351OrColumn36IsIgnored) {
    auto workbook = readWorkbookFile(fixture(GetParam()));
    ASSERT_TRUE(workbook.ok()) << workbook.error();
    const auto& cells = workbook->sheets[workbook->activeSheet].cells;
    // The fixture does hold data there ...
    EXPECT_EQ(cells.at(CellAddress{352, 1}).text, "beyond the last row");
    EXPECT_EQ(cells.at(CellAddress{2, 37}).text, "beyond the last column");
    // ... which the loaded table does not take.
    TextGrid loaded(1, 1);
    ASSERT_TRUE(copyActiveSheetIntoGrid(fixture(GetParam()), loaded).ok());
    EXPECT_EQ(loaded.rowCount(), 351);
    EXPECT_EQ(loaded.columnCount(), 36);
    EXPECT_EQ(loaded.text(350, 0), "350");
    EXPECT_EQ(loaded.text(1, 35), "0");
}

INSTANTIATE_TEST_SUITE_P(EveryFormat, LoadingPairs,
                         ::testing::Values("pairs.xlsx", "pairs.xls", "pairs.ods",
                                           "inline-strings.xlsx"));

// Streaming writers store texts as inline strings; they read like shared strings, rich-text
// runs joined. The writer runs afresh here, beside the committed copy of what it wrote.
TEST(ReadingWorkbooks, InlineStringsReadLikeSharedStrings) {
    ScratchFolder folder;
    const auto written = folder / "inline-strings.xlsx";
    const std::string command = std::string(KELVORAD_INLINE_STRINGS_WRITER) + " '" +
                                fixture("fixture_pairs.tsv").string() + "' '" + written.string() +
                                "'";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    const auto package = unpackZipPackage(readFile(written));
    ASSERT_TRUE(package.ok()) << package.error();
    EXPECT_EQ(package->find("xl/sharedStrings.xml"), nullptr);
    ASSERT_NE(package->find("xl/worksheets/sheet1.xml"), nullptr);
    EXPECT_NE(package->find("xl/worksheets/sheet1.xml")->find("t=\"inlineStr\"><is><r>"),
              std::string::npos)
        << "a rich-text inline string";
    for (const auto& file : {written, fixture("inline-strings.xlsx")}) {
        TextGrid loaded(1, 1);
        const Status status = copyActiveSheetIntoGrid(file, loaded);
        ASSERT_TRUE(status.ok()) << status.error();
        expectSameCells(loaded, tableTypedByHand());
    }
}

class TemplateWorkbooks : public ::testing::TestWithParam<const char*> {
  protected:
    std::filesystem::path shipped() const {
        return std::filesystem::path(KELVORAD_SHARE_DIR) / "workbooks" / GetParam();
    }
};

TEST_P(TemplateWorkbooks, LoadAsTheEmptyLaidOutTable) {
    TextGrid loaded(1, 1);
    const Status status = copyActiveSheetIntoGrid(shipped(), loaded);
    ASSERT_TRUE(status.ok()) << status.error();
    expectSameCells(loaded, AnalysisTable());
}

TEST_P(TemplateWorkbooks, FilledInByTheUserLoadBackAsTheTypedTable) {
    ScratchFolder folder;
    std::filesystem::copy_file(shipped(), folder / GetParam());
    testing::RecordingShell shell;
    auto app = SpreadsheetApplication::create(shell);
    auto workbook = app.workbooks().open(folder / GetParam());
    ASSERT_TRUE(workbook.ok()) << workbook.error();
    auto sheet = workbook->activeSheet().value();
    const AnalysisTable typed = tableTypedByHand();
    for (int r = 1; r <= 3; ++r) {
        for (int c = 1; c < AnalysisTable::kColumns; ++c) {
            ASSERT_TRUE(sheet.cell(r + 1, c + 1).setValue(typed.text(r, c)).ok());
        }
    }
    ASSERT_TRUE(app.setVisible(true).ok());  // saves it
    TextGrid loaded(1, 1);
    const Status status = copyActiveSheetIntoGrid(workbook->savePath().value(), loaded);
    ASSERT_TRUE(status.ok()) << status.error();
    expectSameCells(loaded, typed);
    app.quit();
}

INSTANTIATE_TEST_SUITE_P(Shipped, TemplateWorkbooks,
                         ::testing::Values("Kelvorad.xlsx", "Kelvorad.xls"));

TEST(ReadingWorkbooks, SheetsKeepTheirNamesAndTabOrder) {
    for (const char* name : {"pairs.xlsx", "pairs.xls", "pairs.ods"}) {
        auto workbook = readWorkbookFile(fixture(name));
        ASSERT_TRUE(workbook.ok()) << workbook.error();
        ASSERT_EQ(workbook->sheets.size(), 2u) << name;
        EXPECT_EQ(workbook->sheets[0].name, "Notes") << name;
        EXPECT_EQ(workbook->sheets[1].name, "Pairs") << name;
        EXPECT_EQ(workbook->activeSheet, 1u) << name;
        EXPECT_EQ(workbook->sheets[0].cells.at(CellAddress{2, 2}).text, "123") << name;
    }
}

std::string textAt(const WorkbookData& workbook, int row) {
    const auto& cells = workbook.sheets[0].cells;
    const auto found = cells.find(CellAddress{row, 1});
    return found == cells.end() ? std::string() : found->second.text;
}

TEST(ReadingWorkbooks, XlsxCellTypesReadAsTheDocumentedTexts) {
    auto workbook = readWorkbookFile(fixture("types.xlsx"));
    ASSERT_TRUE(workbook.ok()) << workbook.error();
    EXPECT_EQ(textAt(workbook.value(), 1), "2024-03-15");
    EXPECT_EQ(textAt(workbook.value(), 2), "2024-03-15 13:45:30");
    EXPECT_EQ(textAt(workbook.value(), 3), "13:45:00");
    EXPECT_EQ(textAt(workbook.value(), 4), "TRUE");
    EXPECT_EQ(textAt(workbook.value(), 5), "FALSE");
    EXPECT_EQ(textAt(workbook.value(), 6), "1234567.891");  // grouping format not applied
    EXPECT_EQ(textAt(workbook.value(), 7), "2024-03-15");   // built-in date format 14
    EXPECT_EQ(textAt(workbook.value(), 8), "2");            // formula: its stored result
    EXPECT_EQ(textAt(workbook.value(), 9), "0.3");          // 0.1 + 0.2 in 15 digits
    EXPECT_EQ(textAt(workbook.value(), 10), "1E-05");
    EXPECT_EQ(textAt(workbook.value(), 11), " 12.5");  // a text cell stays the text
    EXPECT_EQ(workbook->sheets[0].cells.at(CellAddress{1, 1}).kind, CellKind::Date);
    EXPECT_EQ(workbook->sheets[0].cells.at(CellAddress{4, 1}).kind, CellKind::Boolean);
    EXPECT_EQ(workbook->sheets[0].cells.at(CellAddress{11, 1}).kind, CellKind::Text);
}

TEST(ReadingWorkbooks, OdsAndXlsDatesAndNumbersReadAsTheDocumentedTexts) {
    for (const char* name : {"types.ods", "types.xls"}) {
        auto workbook = readWorkbookFile(fixture(name));
        ASSERT_TRUE(workbook.ok()) << workbook.error();
        EXPECT_EQ(textAt(workbook.value(), 1), "2024-03-15") << name;
        EXPECT_EQ(textAt(workbook.value(), 2), "2024-03-15 13:45:30") << name;
        EXPECT_EQ(textAt(workbook.value(), 6), "1234567.891") << name;
        EXPECT_EQ(textAt(workbook.value(), 9), "0.3") << name;
        EXPECT_EQ(textAt(workbook.value(), 10), "1E-05") << name;
        EXPECT_EQ(textAt(workbook.value(), 11), " 12.5") << name;
    }
    auto xls = readWorkbookFile(fixture("types.xls"));
    EXPECT_EQ(textAt(xls.value(), 3), "13:45:00");
}

TEST(ReadingWorkbooks, OdsBooleanAndTimeCellsReadInTheirPlaces) {
    auto workbook = readWorkbookFile(fixture("types.ods"));
    ASSERT_TRUE(workbook.ok()) << workbook.error();
    const auto& cells = workbook->sheets[0].cells;
    EXPECT_EQ(textAt(workbook.value(), 3), "13:45:00");
    EXPECT_EQ(textAt(workbook.value(), 4), "TRUE");
    EXPECT_EQ(textAt(workbook.value(), 5), "FALSE");
    EXPECT_EQ(cells.at(CellAddress{4, 1}).kind, CellKind::Boolean);
    EXPECT_EQ(cells.at(CellAddress{12, 1}).text, "TRUE");  // a cell repeated to the right
    EXPECT_EQ(cells.at(CellAddress{12, 2}).text, "TRUE");
    EXPECT_EQ(cells.at(CellAddress{13, 1}).text, "06:30:00");  // a row repeated below
    EXPECT_EQ(cells.at(CellAddress{14, 1}).text, "06:30:00");
    EXPECT_EQ(cells.count(CellAddress{15, 1}), 0u);
    EXPECT_EQ(cells.count(CellAddress{13, 2}), 0u);
}

TEST(ReadingWorkbooks, MissingOrForeignFilesFailWithTheFileNamed) {
    ScratchFolder folder;
    const auto missing = readWorkbookFile(folder / "absent.xlsx");
    EXPECT_FALSE(missing.ok());
    EXPECT_NE(missing.error().find("absent.xlsx"), std::string::npos);

    writeFile(folder / "notes.xlsx", "Row No\tSample [M]\n1\tMT-1\n");
    const auto text = readWorkbookFile(folder / "notes.xlsx");
    EXPECT_FALSE(text.ok());
    EXPECT_NE(text.error().find("notes.xlsx"), std::string::npos);

    EXPECT_FALSE(readWorkbookFile(folder.path()).ok());  // a folder
}

// Every corruption below must come back as a failure or a workbook, never as a crash; a
// failure leaves the table as it was and names the file.
void expectHarmless(const std::filesystem::path& file) {
    AnalysisTable table = tableTypedByHand();
    const AnalysisTable before = table;
    const Status status = copyActiveSheetIntoGrid(file, table);
    if (!status.ok()) {
        EXPECT_NE(status.error().find(file.filename().string()), std::string::npos)
            << status.error();
        expectSameCells(table, before);
    } else {
        EXPECT_EQ(table.rowCount(), 351);
    }
}

class DamagedWorkbooks : public ::testing::TestWithParam<const char*> {};

TEST_P(DamagedWorkbooks, TruncatedFileFailsAndLeavesTheTableAlone) {
    ScratchFolder folder;
    const std::string content = readFile(fixture(GetParam()));
    const auto file = folder / (std::string("cut-") + GetParam());
    writeFile(file, content.substr(0, content.size() / 2));
    AnalysisTable table = tableTypedByHand();
    const Status status = copyActiveSheetIntoGrid(file, table);
    ASSERT_FALSE(status.ok());
    EXPECT_NE(status.error().find(file.filename().string()), std::string::npos);
    expectSameCells(table, tableTypedByHand());
}

TEST_P(DamagedWorkbooks, CorruptedBytesNeverCrash) {
    ScratchFolder folder;
    const std::string original = readFile(fixture(GetParam()));
    std::mt19937 random(20240315);
    const auto file = folder / (std::string("damaged-") + GetParam());
    for (std::size_t cut : {std::size_t{0}, std::size_t{7}, std::size_t{600}, original.size() - 1,
                            original.size() - 30}) {
        writeFile(file, original.substr(0, cut));
        expectHarmless(file);
    }
    // KELVORAD_FUZZ_ROUNDS raises the count for a longer search by hand.
    const char* rounds = std::getenv("KELVORAD_FUZZ_ROUNDS");
    const int roundCount = rounds ? std::atoi(rounds) : 40;
    for (int round = 0; round < roundCount; ++round) {
        std::string damaged = original;
        const int flips = 1 + round % 8;
        for (int i = 0; i < flips; ++i) {
            const auto at =
                std::uniform_int_distribution<std::size_t>(0, damaged.size() - 1)(random);
            damaged[at] = static_cast<char>(random());
        }
        writeFile(file, damaged);
        expectHarmless(file);
    }
}

INSTANTIATE_TEST_SUITE_P(EveryFormat, DamagedWorkbooks,
                         ::testing::Values("pairs.xlsx", "pairs.xls", "pairs.ods"));

TEST(ReadingWorkbooks, PackageClaimingHugeContentIsRefusedBeforeUnpacking) {
    ScratchFolder folder;
    std::string content = readFile(fixture("pairs.xlsx"));
    // Raise the unpacked size of every central directory entry to 2 GiB.
    for (std::size_t at = content.find("PK\x01\x02"); at != std::string::npos;
         at = content.find("PK\x01\x02", at + 4)) {
        content.replace(at + 24, 4, std::string("\x00\x00\x00\x80", 4));
    }
    writeFile(folder / "bomb.xlsx", content);
    const auto workbook = readWorkbookFile(folder / "bomb.xlsx");
    ASSERT_FALSE(workbook.ok());
    EXPECT_NE(workbook.error().find("too large"), std::string::npos) << workbook.error();
}

}  // namespace
}  // namespace kelvorad
