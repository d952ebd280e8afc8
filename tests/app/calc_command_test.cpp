#include "cli/calc_command.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "calculation_run.h"
#include "cli/cli_main.h"
#include "fake_desktop_services.h"
#include "help_file.h"
#include "plot_data_files.h"
#include "program_info.h"
#include "results_row.h"
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
    EXPECT_EQ(fieldCount(rows[0]), 147u);
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
    EXPECT_EQ(fieldCount(rows[0]), 147u);
}

// The full model is on unless --no-full-model turns it off; off, every row is the 134 fields
// of a run without it, and on, those 134 fields are the same.
TEST_F(CalcCommand, FullModelByDefaultAndNoFullModelLeavesItOut) {
    const fs::path input = writeInput("pairs.txt", std::string(kPair) + "\n");
    ASSERT_EQ(run({input, "--rows", "-", "--plot-dir", dir_.string()}), 0);
    const std::string withModel = lines(out_).at(0);
    ASSERT_EQ(run({input, "--rows", "-", "--no-full-model", "--plot-dir", dir_.string()}), 0);
    const std::string without = lines(out_).at(0);
    EXPECT_EQ(fieldCount(without), 134u);
    EXPECT_EQ(withModel.substr(0, without.size() + 1), without + "\t");
    EXPECT_NE(withModel.find("converged"), std::string::npos);
}

// Any pressure from 1 to 10000 bars: the full model runs at it, the older columns at the
// nearest of the five buffer pressures.
TEST_F(CalcCommand, AnyPressureInRangeGoesToTheModelAndTheNearestBufferElsewhere) {
    const fs::path input = writeInput("pairs.txt", std::string(kPair) + "\n");
    ASSERT_EQ(run({input, "--rows", "-", "--pressure", "1000", "--plot-dir", dir_.string()}), 0);
    const auto at1000 = lines(out_).at(0);
    ASSERT_EQ(run({input, "--rows", "-", "--pressure", "700", "--plot-dir", dir_.string()}), 0)
        << err_;
    const auto at700 = lines(out_).at(0);
    const auto fieldsOf = [](const std::string& row) {
        std::vector<std::string> fields;
        std::istringstream in(row);
        for (std::string field; std::getline(in, field, '\t');) fields.push_back(field);
        if (!row.empty() && row.back() == '\t') fields.emplace_back();
        return fields;
    };
    const auto f1000 = fieldsOf(at1000);
    const auto f700 = fieldsOf(at700);
    ASSERT_EQ(f700.size(), 147u);
    for (std::size_t c = 0; c < 134; ++c) EXPECT_EQ(f700[c], f1000[c]) << c;
    EXPECT_NE(f700[135], f1000[135]);
    EXPECT_NE(f700[kDeltaFMQAL85FirstColumn], f1000[kDeltaFMQAL85FirstColumn]);

    ASSERT_EQ(run({input, "--pressure", "2600", "--plot-dir", dir_.string()}), 0);
    EXPECT_NE(out_.find("model at 2600 bars"), std::string::npos) << out_;
    EXPECT_NE(out_.find("NNO (3000 bars, the nearest to 2600 bars)"), std::string::npos);

    const fs::path file = writeInput("pairs.tsv", std::string(kPair) + "\n");
    for (const char* wrong : {"0.5", "10001", "-3", "2 kbar", "", "nan", "inf"}) {
        EXPECT_EQ(run({file, "--pressure", wrong}), 2) << wrong;
        EXPECT_NE(err_.find("from 1 to 10000"), std::string::npos) << wrong;
    }
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
    // A folder inside a file can never be made.
    const fs::path folder = writeInput("a-file", "text") / "folder";
    EXPECT_EQ(run({input, "--rows", (dir_ / "rows.tsv").string(), "--plot-dir", folder.string()}),
              1);
    EXPECT_NE(err_.find("cannot create the plot data folder"), std::string::npos) << err_;
    EXPECT_NE(err_.find("TlogfO2.dat"), std::string::npos);
    EXPECT_EQ(lines(read(dir_ / "rows.tsv")).size(), 1u);
}

TEST_F(CalcCommand, MissingPlotFolderIsMadeWithItsParents) {
    const fs::path input = writeInput("pairs.tsv", std::string(kPair) + "\n");
    const fs::path folder = dir_ / "no" / "such" / "folder";
    ASSERT_EQ(run({input, "--rows", (dir_ / "rows.tsv").string(), "--plot-dir", folder.string()}),
              0)
        << err_;
    EXPECT_EQ(err_, "");
    for (const PlotFileSpec& file : plotFiles()) {
        EXPECT_EQ(read(folder / file.fileName).rfind(std::string(file.header), 0), 0u)
            << file.fileName;
    }
    EXPECT_NE(read(folder / "TiR2R3.dat").find("MT-01"), std::string::npos);
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
    // The full model is named and comes first; the regression is called what it is.
    EXPECT_NE(out_.find("Full model: Ghiorso and Evans (2008) model at 2000 bars"),
              std::string::npos);
    EXPECT_NE(out_.find("GE08 regression"), std::string::npos);
    ASSERT_EQ(run({input, "--no-full-model", "--plot-dir", dir_.string()}), 0);
    EXPECT_NE(out_.find("Full model: Ghiorso and Evans (2008) model off"), std::string::npos);
}

TEST_F(CalcCommand, HelpDocumentsTheOptions) {
    EXPECT_EQ(run({"--help"}), 0);
    for (const char* word :
         {"--check", "--rows", "--table", "--plot-dir", "--fe3", "--pressure", "--no-full-model"}) {
        EXPECT_NE(out_.find(word), std::string::npos) << word;
    }
}

TEST_F(CalcCommand, VersionNamesTheProgramAndItsRevision) {
    EXPECT_EQ(run({"INPUT.mi", "--version"}), 0);
    EXPECT_EQ(out_, versionLine("kelvorad") + "\n");
    EXPECT_EQ(out_.rfind("kelvorad " + std::string(programVersion()), 0), 0u) << out_;
}

// "kelvorad --help" and "kelvorad --version", before any command.
std::string topLevelOutput(const char* option) {
    std::string program = "kelvorad", argument = option;
    char* argv[] = {program.data(), argument.data()};
    EXPECT_TRUE(isCommandLineCommand(argv[1]));
    ::testing::internal::CaptureStdout();
    EXPECT_EQ(runCommandLine(2, argv), 0);
    return ::testing::internal::GetCapturedStdout();
}

TEST(KelvoradCommand, HelpNamesTheManualAndVersionTheBuild) {
    const std::string help = topLevelOutput("--help");
    EXPECT_NE(help.find("The user manual: " + helpFilePath().string() + "\n"), std::string::npos)
        << help;
    EXPECT_NE(help.find("--version"), std::string::npos);
    EXPECT_EQ(topLevelOutput("--version"), versionLine("kelvorad") + "\n");
}

TEST_F(CalcCommand, LargeInputsGiveTheSameOutputAsOnePairAtATime) {
    // Enough rows for several chunks on several threads, with blank rows and failed pairs.
    std::string text;
    std::vector<std::string> lineList;
    for (int i = 0; i < 9000; ++i) {
        std::string line = kPair;
        if (i % 97 == 5) line = std::string(34, '\t');
        if (i % 13 == 0) line.replace(0, 5, std::string(1, 'S').append(std::to_string(i)));
        if (i % 101 == 7) line = "EMPTY" + std::string(34, '\t');
        const std::size_t feo = line.find("\t80.52\t");
        if (i % 7 == 3 && feo != std::string::npos) {
            line.replace(feo, 7, "\t" + std::to_string(70 + i % 20) + "\t");
        }
        lineList.push_back(line);
        text += line + "\n";
    }
    const fs::path input = writeInput("many.tsv", text);
    ASSERT_EQ(run({input, "--no-full-model", "--check", "TNNOS08", "--check", "PP77uC67", "--rows",
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
    for (const char* name : {"pairs.xlsx", "pairs.xls", "pairs.ods"}) {
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
