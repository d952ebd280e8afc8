#include "cli/calc_command.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "calculation_run.h"
#include "cli/cli_main.h"
#include "fake_desktop_services.h"
#include "hostile_workbooks.h"
#include "results_table.h"
#include "spreadsheet_application.h"

using namespace kelvorad;
namespace fs = std::filesystem;

namespace {
const char* const kPair =
    "MT-01\t0.12\t8.45\t2.10\t0.48\t0.09\t\t\t80.52\t0.44\t0.02\t0.11\t1.45\t0.03\t\t\t\t\t"
    "ILM-01\t0.04\t45.10\t0.21\t0.31\t0.05\t\t\t47.90\t0.62\t\t0.03\t2.48\t0.02\t\t\t";

class CalcCommand : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("kelvorad_cli_" + std::to_string(getpid()) + "_" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    fs::path writeInput(const std::string& name, const std::string& text) {
        std::ofstream(dir_ / name, std::ios::binary) << text;
        return dir_ / name;
    }
    std::string read(const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    int run(std::vector<std::string> args) {
        args.insert(args.begin(), {"kelvorad", "calc"});
        std::vector<char*> argv;
        for (auto& a : args) argv.push_back(a.data());
        ::testing::internal::CaptureStdout();
        ::testing::internal::CaptureStderr();
        const int code = runCommandLine(static_cast<int>(argv.size()), argv.data());
        out_ = ::testing::internal::GetCapturedStdout();
        err_ = ::testing::internal::GetCapturedStderr();
        return code;
    }
    std::vector<std::string> lines(const std::string& text) {
        std::vector<std::string> out;
        std::istringstream in(text);
        for (std::string line; std::getline(in, line);) out.push_back(line);
        return out;
    }
    static std::size_t fieldCount(const std::string& line) {
        return static_cast<std::size_t>(std::count(line.begin(), line.end(), '\t')) + 1;
    }

    fs::path dir_;
    std::string out_;
    std::string err_;
};
}  // namespace

TEST_F(CalcCommand, RowsOfATextFileWithHeader) {
    const fs::path input = writeInput(
        "pairs.tsv", std::string("Sample [M]\tSiO2 [M]\n") + kPair + "\n" + kPair + "\n");
    ASSERT_EQ(run({input, "--rows", (dir_ / "rows.tsv").string(), "--plot-dir", dir_.string()}), 0)
        << err_;
    const auto rows = lines(read(dir_ / "rows.tsv"));
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(fieldCount(rows[0]), 134u);
    EXPECT_EQ(rows[0].substr(0, 6), "MT-01\t");
    EXPECT_EQ(read(dir_ / "rows.tsv").find('\r'), std::string::npos);
    for (const char* name : {"TlogfO2.dat", "TfO2SL81.dat", "TfO2BL64Grid.dat", "XUspXIlm.dat",
                             "MgMnIlmMagBH88.dat", "TiR2R3.dat", "TDeltaNNO.dat"}) {
        EXPECT_TRUE(fs::exists(dir_ / name)) << name;
    }
}

TEST_F(CalcCommand, TableHasBothHeaderRowsAnd211Columns) {
    const fs::path input = writeInput("pairs.csv", std::string(kPair) + "\n");
    std::string csv = kPair;
    std::replace(csv.begin(), csv.end(), '\t', ',');
    writeInput("pairs.csv", csv + "\n");
    ASSERT_EQ(run({input, "--table", (dir_ / "table.tsv").string(), "--plot-dir", dir_.string()}),
              0)
        << err_;
    const auto rows = lines(read(dir_ / "table.tsv"));
    ASSERT_EQ(rows.size(), 3u);
    for (const auto& row : rows) EXPECT_EQ(fieldCount(row), 211u);
    EXPECT_EQ(rows[0].substr(0, 11), "Kelvorad\t1\t");
    EXPECT_EQ(rows[1].substr(0, 13), "Sample\t[SiO2\t");
    EXPECT_NE(rows[1].find("[Bacon and Hirschmann (1988) Test]"), std::string::npos);
    EXPECT_EQ(rows[2].substr(0, 6), "MT-01\t");
}

TEST_F(CalcCommand, RowsToStandardOutput) {
    const fs::path input = writeInput("pairs.txt", std::string(kPair) + "\n");
    ASSERT_EQ(run({input, "--rows", "-", "--plot-dir", dir_.string()}), 0);
    const auto rows = lines(out_);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(fieldCount(rows[0]), 134u);
}

TEST_F(CalcCommand, CheckItemsAndAliasesSteerTheRun) {
    const fs::path input = writeInput("pairs.tsv", std::string(kPair) + "\n");
    ASSERT_EQ(run({input, "--rows", "-", "--plot-dir", dir_.string()}), 0);
    const std::string stormer = out_;
    ASSERT_EQ(run({input, "--rows", "-", "--check", "Fe3Droop", "--plot-dir", dir_.string()}), 0);
    const std::string droop = out_;
    ASSERT_EQ(run({input, "--rows", "-", "--fe3", "droop", "--plot-dir", dir_.string()}), 0);
    EXPECT_NE(stormer, droop);
    EXPECT_EQ(out_, droop);
    ASSERT_EQ(run({input, "--rows", "-", "--pressure", "1", "--plot-dir", dir_.string()}), 0);
    const std::string oneBar = out_;
    ASSERT_EQ(run({input, "--rows", "-", "--check", "mnu1NNO", "--plot-dir", dir_.string()}), 0);
    EXPECT_EQ(out_, oneBar);
    EXPECT_NE(oneBar, stormer);
}

TEST_F(CalcCommand, UnknownItemIsAUsageErrorNamingTheValidItems) {
    const fs::path input = writeInput("pairs.tsv", std::string(kPair) + "\n");
    EXPECT_EQ(run({input, "--check", "Fe3Nobody"}), 2);
    EXPECT_NE(err_.find("Fe3Nobody"), std::string::npos);
    EXPECT_NE(err_.find("Fe3Droop"), std::string::npos);
    EXPECT_NE(err_.find("BH88TestforTO"), std::string::npos);
    EXPECT_EQ(run({input, "--pressure", "700"}), 2);
    EXPECT_EQ(run({input, "--bogus"}), 2);
    EXPECT_EQ(run({}), 2);
}

TEST_F(CalcCommand, MissingInputWritesNothing) {
    EXPECT_EQ(run({(dir_ / "absent.mi").string(), "--rows", (dir_ / "rows.tsv").string(),
                   "--plot-dir", dir_.string()}),
              1);
    EXPECT_NE(err_.find("absent.mi"), std::string::npos);
    EXPECT_FALSE(fs::exists(dir_ / "rows.tsv"));
    EXPECT_FALSE(fs::exists(dir_ / "TlogfO2.dat"));
    EXPECT_EQ(run({dir_.string()}), 1);  // a folder is not an input
}

TEST_F(CalcCommand, UnwritablePlotFolderFailsAfterFinishingTheRun) {
    const fs::path input = writeInput("pairs.tsv", std::string(kPair) + "\n");
    EXPECT_EQ(run({input, "--rows", (dir_ / "rows.tsv").string(), "--plot-dir",
                   (dir_ / "no" / "folder").string()}),
              1);
    EXPECT_NE(err_.find("TlogfO2.dat"), std::string::npos);
    EXPECT_EQ(lines(read(dir_ / "rows.tsv")).size(), 1u);
}

TEST_F(CalcCommand, TextInputHasNoTableRowLimitAndAnalysisFilesDo) {
    std::string text;
    for (int i = 0; i < 400; ++i) text += std::string(kPair) + "\n";
    const fs::path input = writeInput("many.tsv", text);
    ASSERT_EQ(run({input, "--rows", (dir_ / "rows.tsv").string(), "--plot-dir", dir_.string()}), 0);
    EXPECT_EQ(lines(read(dir_ / "rows.tsv")).size(), 400u);

    std::string mi = "\"";
    for (int i = 0; i < 352; ++i) mi += std::string(i ? "\r" : "") + kPair;
    const fs::path file = writeInput("many.mi", mi + "\"\r\n");
    ASSERT_EQ(run({file, "--rows", (dir_ / "rows.tsv").string(), "--plot-dir", dir_.string()}), 0);
    EXPECT_EQ(lines(read(dir_ / "rows.tsv")).size(), 350u);
}

TEST_F(CalcCommand, AnalysisFileWithGapsLosesNoPair) {
    std::string mi = "\"";
    mi += std::string(kPair) + "\r" + std::string(34, '\t') + "\r" + kPair;
    const fs::path file = writeInput("gaps.mi", mi + "\"\r\n");
    ASSERT_EQ(run({file, "--rows", "-", "--plot-dir", dir_.string()}), 0);
    EXPECT_EQ(lines(out_).size(), 2u);
}

TEST_F(CalcCommand, SummaryWhenNoDataGoesToTheTerminal) {
    const fs::path input = writeInput("pairs.tsv", std::string(kPair) + "\n");
    ASSERT_EQ(run({input, "--plot-dir", dir_.string()}), 0);
    EXPECT_NE(out_.find("MT-01"), std::string::npos);
    EXPECT_NE(out_.find("Stormer (1983)"), std::string::npos);
    EXPECT_NE(out_.find("TlogfO2.dat (1)"), std::string::npos);
}

TEST_F(CalcCommand, HelpDocumentsTheOptions) {
    EXPECT_EQ(run({"--help"}), 0);
    for (const char* word : {"--check", "--rows", "--table", "--plot-dir", "--fe3", "--pressure"}) {
        EXPECT_NE(out_.find(word), std::string::npos) << word;
    }
}

TEST_F(CalcCommand, LargeInputsGiveTheSameOutputAsOnePairAtATime) {
    // Enough rows for several chunks on several threads, with blank rows and failed pairs.
    std::string text;
    std::vector<std::string> lineList;
    for (int i = 0; i < 9000; ++i) {
        std::string line = kPair;
        if (i % 97 == 5) line = std::string(34, '\t');
        if (i % 13 == 0) line.replace(0, 5, "S" + std::to_string(i));
        if (i % 101 == 7) line = "EMPTY" + std::string(34, '\t');
        const std::size_t feo = line.find("\t80.52\t");
        if (i % 7 == 3 && feo != std::string::npos) {
            line.replace(feo, 7, "\t" + std::to_string(70 + i % 20) + "\t");
        }
        lineList.push_back(line);
        text += line + "\n";
    }
    const fs::path input = writeInput("many.tsv", text);
    ASSERT_EQ(run({input, "--check", "TNNOS08", "--check", "PP77uC67", "--rows",
                   (dir_ / "rows.tsv").string(), "--plot-dir", dir_.string()}),
              0)
        << err_;

    const fs::path serialDir = dir_ / "serial";
    fs::create_directories(serialDir);
    MethodChecks checks;
    checks.setChecked(MethodItem::TNNOS08, true);
    checks.setChecked(MethodItem::PP77uC67, true);
    CalculationRun serial(checks);
    std::string expected;
    {
        PlotDataWriter plots(serialDir);
        std::vector<std::vector<std::string>> cells;
        for (const auto& line : lineList) {
            std::vector<std::string> row(35);
            std::size_t start = 0;
            for (int k = 0; k < 35; ++k) {
                const std::size_t end = std::min(line.find('\t', start), line.size());
                row[k] = start <= line.size() ? line.substr(start, end - start) : "";
                start = end + 1;
            }
            cells.push_back(row);
        }
        serial.processRows(
            0, static_cast<int>(cells.size()) - 1,
            [&](int r, int k) -> std::string_view { return cells[r][k]; }, &plots,
            [&](const PairResult&, const std::string& row) { expected += row + "\n"; });
        plots.close();
    }
    EXPECT_EQ(read(dir_ / "rows.tsv"), expected);
    for (const auto& spec : plotFiles()) {
        EXPECT_EQ(read(dir_ / spec.fileName), read(serialDir / spec.fileName)) << spec.fileName;
    }
}

TEST_F(CalcCommand, WorkbookInputsGiveTheSameRowsAsTheTextFile) {
    // The fixtures' typed table mirrors the whole analysis table (row numbers in its first
    // column); the text input takes only the 35 analysis cells of each row.
    const fs::path workbooks = fs::path(KELVORAD_TEST_DATA_DIR) / "workbooks";
    std::string pairs;
    const auto table = lines(read(workbooks / "fixture_pairs.tsv"));
    for (std::size_t r = 1; r < table.size(); ++r)
        pairs += table[r].substr(table[r].find('\t') + 1) + "\n";
    const fs::path text = writeInput("pairs.tsv", pairs);
    ASSERT_EQ(run({text.string(), "--rows", "-", "--plot-dir", dir_.string()}), 0) << err_;
    const std::string fromText = out_;
    ASSERT_FALSE(fromText.empty());
    for (const char* name : {"pairs.xlsx", "pairs.xls", "pairs.ods", "inline-strings.xlsx"}) {
        ASSERT_EQ(run({(workbooks / name).string(), "--rows", "-", "--plot-dir", dir_.string()}), 0)
            << name << ": " << err_;
        EXPECT_EQ(out_, fromText) << name;
    }
}

TEST_F(CalcCommand, CorruptWorkbookIsAnUnreadableInput) {
    const fs::path input = writeInput("broken.xlsx", "PK\x03\x04 not really a workbook");
    EXPECT_EQ(run({input, "--rows", (dir_ / "rows.tsv").string(), "--plot-dir", dir_.string()}), 1);
    EXPECT_NE(err_.find("broken.xlsx"), std::string::npos);
    EXPECT_FALSE(fs::exists(dir_ / "rows.tsv"));
}

TEST_F(CalcCommand, XlsxOutputHoldsTheWholeResultsTable) {
    const fs::path input = writeInput("pairs.tsv", std::string(kPair) + "\n" + kPair + "\n");
    const fs::path xlsx = dir_ / "Output.xlsx";
    ASSERT_EQ(run({input, "--xlsx", xlsx.string(), "--table", (dir_ / "table.tsv").string(),
                   "--plot-dir", dir_.string()}),
              0)
        << err_;
    // Read it back through the workbook component: every cell as the table file has it.
    const auto lines = this->lines(read(dir_ / "table.tsv"));
    ASSERT_EQ(lines.size(), 4u);
    ResultsTable expected;
    for (std::size_t r = 2; r < lines.size(); ++r) expected.appendResultsRow(lines[r]);
    fakes::FakeShell shell;
    SpreadsheetApplication application = SpreadsheetApplication::create(shell);
    auto book = application.workbooks().open(xlsx);
    ASSERT_TRUE(book.ok()) << book.error();
    auto sheet = book.value().worksheet(1);
    ASSERT_TRUE(sheet.ok());
    for (int r = 0; r < expected.rowCount(); ++r) {
        for (int c = 0; c < ResultsTable::kColumns; ++c) {
            auto value = sheet.value().cell(r + 1, c + 1).value();
            ASSERT_TRUE(value.ok());
            ASSERT_EQ(value.value(), expected.text(r, c)) << r << "," << c;
        }
    }
    application.quit();
}

TEST_F(CalcCommand, WorkbookCellsOutsideTheTableAreCountedOnStderr) {
    const fs::path workbook = fs::path(KELVORAD_TEST_DATA_DIR) / "workbooks" / "pairs.xlsx";
    ASSERT_EQ(run({workbook.string(), "--rows", "-", "--plot-dir", dir_.string()}), 0) << err_;
    EXPECT_EQ(err_, "kelvorad calc: " + workbook.string() +
                        ": cells in 1 row below row 351 and 1 column right of column 36 were not "
                        "read (the analysis table takes 351 rows by 36 columns)\n");
}

// Damaged workbooks a user can meet: each gives its pairs or one message naming it, in bounded
// time, and never ends the program.
class HostileWorkbooks : public CalcCommand,
                         public ::testing::WithParamInterface<kelvorad::testing::HostileWorkbook> {
};

TEST_P(HostileWorkbooks, GiveTheirPairsOrOneMessageInBoundedTime) {
    const kelvorad::testing::HostileWorkbook& hostile = GetParam();
    const std::string input = hostile.path().string();
    const fs::path rows = dir_ / "rows.tsv";
    const auto start = std::chrono::steady_clock::now();
    const int code = run({input, "--rows", rows.string(), "--plot-dir", dir_.string()});
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(15));
    if (hostile.pairs < 0) {
        EXPECT_EQ(code, 1);
        EXPECT_FALSE(fs::exists(rows)) << "nothing is written";
#if defined(KELVORAD_SANITIZED_BUILD)
        if (hostile.memoryError) {
            // The sanitizer may stop the reader at the library's memory error, its report
            // passed through on stderr before the one message.
            EXPECT_NE(err_.find("kelvorad calc: " + input + ": "), std::string::npos);
            return;
        }
#endif
        EXPECT_EQ(err_, "kelvorad calc: " + input + hostile.reason + "\n");
        return;
    }
    EXPECT_EQ(code, 0) << err_;
    EXPECT_EQ(lines(read(rows)).size(), static_cast<std::size_t>(hostile.pairs));
    std::string notes = "kelvorad calc: " + input + ": cells in " +
                        std::to_string(hostile.columnsBeyond) +
                        " columns right of column 36 were not read (the analysis table takes 351 "
                        "rows by 36 columns)\n";
    if (hostile.unreadableCells == 1) {
        notes += "kelvorad calc: " + input +
                 ": 1 cell holds characters that could not be read, shown as U+FFFD\n";
    }
    EXPECT_EQ(err_, notes);
}

INSTANTIATE_TEST_SUITE_P(EveryFile, HostileWorkbooks,
                         ::testing::ValuesIn(kelvorad::testing::kHostileWorkbooks));

TEST_F(CalcCommand, UnreadableCharacterBecomesTheReplacementCharacter) {
    const fs::path input = fs::path(KELVORAD_TEST_DATA_DIR) / "hostile" / "entity-x110000.xlsx";
    ASSERT_EQ(run({input.string(), "--rows", "-", "--plot-dir", dir_.string()}), 0) << err_;
    EXPECT_NE(out_.find("KV-02 Mt\xEF\xBF\xBD\t"), std::string::npos);
    EXPECT_EQ(out_.find('\0'), std::string::npos);
}

TEST_F(CalcCommand, RepeatedOdsRowGivesItsPairTwice) {
    const fs::path input = fs::path(KELVORAD_TEST_DATA_DIR) / "hostile" / "ods-rows-repeated-2.ods";
    ASSERT_EQ(run({input.string(), "--rows", "-", "--plot-dir", dir_.string()}), 0) << err_;
    const auto rows = lines(out_);
    ASSERT_EQ(rows.size(), 25u);
    EXPECT_EQ(rows[2].substr(0, 9), "KV-03 Mt\t");
    EXPECT_EQ(rows[3], rows[2]);
    EXPECT_EQ(rows[4].substr(0, 9), "KV-04 Mt\t");
}
