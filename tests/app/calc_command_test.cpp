#include "cli/calc_command.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "analysis_table.h"
#include "calculation_run.h"
#include "cli/cli_main.h"
#include "comma_locale.h"
#include "command_line_test.h"
#include "fake_desktop_services.h"
#include "grid_transfer.h"
#include "help_file.h"
#include "hostile_workbooks.h"
#include "oxide_data.h"
#include "plot_data_files.h"
#include "program_info.h"
#include "results_row.h"
#include "results_table.h"
#include "sha256.h"
#include "spreadsheet_application.h"

using namespace kelvorad;
namespace fs = std::filesystem;

namespace {
using kelvorad::testing::kOnePair;
const char* const kPair = kOnePair;

class CalcCommand : public kelvorad::testing::CommandLineTest {
  protected:
    int run(std::vector<std::string> args) {
        args.insert(args.begin(), "calc");
        return runKelvorad(std::move(args));
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
    EXPECT_NE(err_.find("many.mi: 2 pairs stand beyond row 350 and were not read"),
              std::string::npos)
        << err_;
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

namespace {
// The 35 cells of a TAB-separated line.
std::vector<std::string> cellsOf(const std::string& line) {
    std::vector<std::string> cells(1);
    for (char c : line) {
        if (c == '\t') {
            cells.emplace_back();
        } else {
            cells.back() += c;
        }
    }
    cells.resize(35);
    return cells;
}

// kPair as a spreadsheet with a comma decimal separator writes it.
std::string pairWithDecimalCommas() {
    std::string line = kPair;
    std::replace(line.begin(), line.end(), '.', ',');
    return line;
}

std::size_t count(const std::string& text, const std::string& what) {
    std::size_t n = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++n;
    return n;
}
}  // namespace

TEST_F(CalcCommand, DecimalCommasAreDecimalPointsInEveryInput) {
    const fs::path points = writeInput("points.tsv", std::string(kPair) + "\n");
    ASSERT_EQ(run({points, "--rows", "-", "--plot-dir", dir_.string()}), 0);
    const std::string expected = out_;
    EXPECT_EQ(err_, "");

    // 21 of the pair's oxide cells hold a decimal number: each is named once.
    const fs::path text = writeInput("commas.tsv", pairWithDecimalCommas() + "\n");
    ASSERT_EQ(run({text, "--rows", "-", "--plot-dir", dir_.string()}), 0);
    EXPECT_EQ(out_, expected);
    EXPECT_EQ(count(err_, "with a decimal comma\n"), 21u) << err_;
    EXPECT_NE(err_.find("kelvorad calc: " + text.string() +
                        ": line 1, FeO [M]: \"80,52\" read as 80.52 with a decimal comma\n"),
              std::string::npos)
        << err_;

    const fs::path mi = writeInput("commas.mi", "\"" + pairWithDecimalCommas() + "\"\r\n");
    ASSERT_EQ(run({mi, "--rows", "-", "--plot-dir", dir_.string()}), 0);
    EXPECT_EQ(out_, expected);
    EXPECT_NE(err_.find(": row 1, TiO2 [I]: \"45,10\" read as 45.1 with a decimal comma"),
              std::string::npos)
        << err_;

    // A workbook whose cells hold the text "80,52".
    AnalysisTable sheet;
    const std::vector<std::string> cells = cellsOf(pairWithDecimalCommas());
    for (int k = 0; k < 35; ++k) sheet.setText(1, k + 1, cells[k]);
    ASSERT_TRUE(writeGridToWorkbookFile(sheet, dir_ / "commas.xlsx").ok());
    ASSERT_EQ(run({(dir_ / "commas.xlsx").string(), "--rows", "-", "--plot-dir", dir_.string()}), 0)
        << err_;
    EXPECT_EQ(out_, expected);
    EXPECT_NE(err_.find(": worksheet row 2, FeO [M]: \"80,52\" read as 80.52"), std::string::npos)
        << err_;
}

TEST_F(CalcCommand, CellsThatAreNotPlainNumbersAreNamedAndStrictWritesNothing) {
    std::vector<std::string> cells = cellsOf(kPair);
    cells[27] = "n.d.";      // MnO [I]
    cells[12] = "1.45 wt%";  // MgO [M]
    std::string line;
    for (const std::string& cell : cells) line += cell + "\t";
    const fs::path input = writeInput("pairs.tsv", "\n" + line + "\n");
    const fs::path rows = dir_ / "rows.tsv";
    const fs::path plots = dir_ / "plots";
    fs::create_directories(plots);

    EXPECT_EQ(run({input, "--strict", "--rows", rows.string(), "--plot-dir", plots.string()}), 1);
    EXPECT_FALSE(fs::exists(rows));
    EXPECT_TRUE(fs::is_empty(plots));
    EXPECT_EQ(out_, "");
    const std::string prefix = "kelvorad calc: " + input.string() + ": line 2, ";
    EXPECT_EQ(err_, prefix + "MgO [M]: \"1.45 wt%\" is not a plain number, read as 1.45\n" +
                        prefix + "MnO [I]: \"n.d.\" is not a number, read as 0\n" +
                        "kelvorad calc: --strict: 2 oxide cells are not plain numbers; nothing "
                        "was written\n");

    // Without --strict the run reads them so, and says the same.
    ASSERT_EQ(run({input, "--rows", rows.string(), "--plot-dir", plots.string()}), 0);
    EXPECT_EQ(lines(read(rows)).size(), 1u);
    EXPECT_EQ(count(err_, "kelvorad calc: "), 2u) << err_;
    EXPECT_NE(err_.find("\"n.d.\" is not a number, read as 0"), std::string::npos);

    // Plain cells pass --strict, which then writes as usual.
    const fs::path plain = writeInput("plain.tsv", std::string(kPair) + "\n" + kPair + "\n");
    ASSERT_EQ(run({plain, "--strict", "--rows", rows.string(), "--plot-dir", plots.string()}), 0)
        << err_;
    EXPECT_EQ(lines(read(rows)).size(), 2u);
    EXPECT_EQ(err_, "");
}

TEST_F(CalcCommand, ASemicolonExportIsReadByItsColumnNames) {
    // The pair's columns in another order, named as a spreadsheet export names them, with
    // decimal commas and an extra column: the same pair as the positional TAB line.
    const fs::path points = writeInput("points.tsv", std::string(kPair) + "\n");
    ASSERT_EQ(run({points, "--rows", "-", "--plot-dir", dir_.string()}), 0);
    const std::string expected = out_;

    const std::vector<std::string> cells = cellsOf(pairWithDecimalCommas());
    std::string header = "Total;Sample Ilm";
    std::string data = "\"199,9; checked\";" + cells[18];
    for (int k = 0; k < 16; ++k) {
        header += ";Ilm " + std::string(kOxides[k].oxide);
        data += ";" + cells[19 + k];
    }
    header += ";mt_sample";
    data += ";" + cells[0];
    for (int k = 15; k >= 0; --k) {
        header += ";" + std::string(k == FeO ? "FeOt" : kOxides[k].oxide) + " [M]";
        data += ";" + cells[1 + k];
    }
    const fs::path input = writeInput("export.csv", header + "\r\n" + data + "\r\n");
    ASSERT_EQ(run({input, "--rows", "-", "--plot-dir", dir_.string()}), 0) << err_;
    EXPECT_EQ(out_, expected);
    EXPECT_NE(err_.find("kelvorad calc: " + input.string() +
                        ": columns read by their names in the first line; not read, naming no "
                        "analysis cell: \"Total\"\n"),
              std::string::npos)
        << err_;

    // Missing oxides are named in the same one message, and read as blank.
    const fs::path partial = writeInput("partial.csv", "sample;mt_FeO;ilm_TiO2\nA;80,5;45,1\n");
    ASSERT_EQ(run({partial, "--rows", "-", "--plot-dir", dir_.string()}), 0) << err_;
    EXPECT_EQ(cellsOf(out_)[0], "A");
    EXPECT_EQ(count(err_, "columns read by their names"), 1u) << err_;
    EXPECT_NE(err_.find("no column for SiO2 [M], TiO2 [M],"), std::string::npos) << err_;
    EXPECT_NE(err_.find("BaO [I] (read as blank)"), std::string::npos) << err_;
}

TEST_F(CalcCommand, TwoColumnsNamingOneCellAreAnErrorAndNothingIsWritten) {
    const fs::path input = writeInput("twice.csv", "sample,mt_FeO,FeO* [M]\nA,80.5,80.1\n");
    EXPECT_EQ(run({input, "--rows", (dir_ / "rows.tsv").string(), "--plot-dir", dir_.string()}), 2);
    EXPECT_NE(err_.find("columns \"mt_FeO\" and \"FeO* [M]\" both name FeO [M]"), std::string::npos)
        << err_;
    EXPECT_FALSE(fs::exists(dir_ / "rows.tsv"));
    EXPECT_FALSE(fs::exists(dir_ / "TlogfO2.dat"));
}

TEST_F(CalcCommand, ThePublishedCompilationGivesOneRowPerPair) {
    const fs::path input = fs::path(KELVORAD_TEST_DATA_DIR) / "natural-pairs.csv";
    ASSERT_EQ(run({input.string(), "--rows", "-", "--plot-dir", dir_.string()}), 0) << err_;
    EXPECT_EQ(err_, "");
    const auto rows = lines(out_);
    ASSERT_EQ(rows.size(), 33u);
    EXPECT_EQ(cellsOf(rows[0])[0], "Hat Creek (Olivine Basalt) Table 5 (63) No: 12A,12B");
    for (const auto& row : rows) EXPECT_EQ(fieldCount(row), 147u);  // the full model is on
}

// The bundled example of published pairs reads without a notice, and its summary keeps the
// columns in line whatever the length of a sample name: each name ends its line, after the
// same number of characters.
TEST_F(CalcCommand, TheBundledNaturalPairsGiveAnAlignedSummary) {
    const fs::path input = fs::path(KELVORAD_SHARE_DIR) / "examples" / "natural-pairs.csv";
    ASSERT_EQ(run({input.string(), "--plot-dir", dir_.string(), "--summary"}), 0) << err_;
    EXPECT_EQ(err_, "");
    const auto text = lines(out_);
    const auto header = std::find_if(text.begin(), text.end(), [](const std::string& line) {
        return line.find("BH88  Sample") != std::string::npos;
    });
    ASSERT_NE(header, text.end()) << out_;
    const std::size_t nameColumn = header->find("Sample");
    std::ifstream csv(input);
    std::string line;
    std::getline(csv, line);  // the header
    for (auto row = header + 1; std::getline(csv, line); ++row) {
        ASSERT_NE(row, text.end());
        // The sample is the first field, quoted when it holds a comma.
        const std::string sample =
            line[0] == '"' ? line.substr(1, line.find('"', 1) - 1) : line.substr(0, line.find(','));
        EXPECT_EQ(row->substr(nameColumn), sample);
        EXPECT_NE(row->substr(0, 8), "       -") << sample << ": the full model gave nothing";
    }
}

TEST_F(CalcCommand, ACommaDecimalLocaleChangesNoByteOfTheOutput) {
    const auto locales = fakes::commaLocalePath(dir_ / "locales");
    if (!locales) GTEST_SKIP() << "no de_DE.UTF-8 locale here, and localedef could not build one";
    const std::string environment = locales->empty() ? "" : "LOCPATH='" + locales->string() + "' ";
    const fs::path input = writeInput("pairs.csv",
                                      "sample;mt_FeO;ilm_TiO2;mt_TiO2;ilm_FeO\n"
                                      "A;80,52;45,1;8.45;47.9\nB;81;n.d.;9,5;48\n");
    std::map<std::string, std::string> outputs[2];
    const fs::path out = dir_ / "out";
    for (int k = 0; k < 2; ++k) {
        const std::string locale = k == 0 ? "C" : fakes::kCommaLocale;
        fs::remove_all(out);
        fs::create_directories(out);
        const std::string command =
            environment + "LC_ALL=" + locale + " '" + KELVORAD_PROGRAM + "' calc '" +
            input.string() + "' --rows '" + (out / "rows.tsv").string() + "' --table '" +
            (out / "table.tsv").string() + "' --plot-dir '" + out.string() + "' --summary > '" +
            (out / "stdout").string() + "' 2> '" + (out / "stderr").string() + "'";
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
        // A workbook too: its numbers are read by the workbook libraries.
        const fs::path workbook = fs::path(KELVORAD_TEST_DATA_DIR) / "workbooks" / "pairs.ods";
        const std::string workbookCommand = environment + "LC_ALL=" + locale + " '" +
                                            KELVORAD_PROGRAM + "' calc '" + workbook.string() +
                                            "' --rows '" + (out / "workbook-rows.tsv").string() +
                                            "' --plot-dir '" + (out / "workbook").string() + "'";
        fs::create_directories(out / "workbook");
        ASSERT_EQ(std::system(workbookCommand.c_str()), 0) << workbookCommand;
        for (const auto& entry : fs::recursive_directory_iterator(out)) {
            if (!entry.is_regular_file()) continue;
            outputs[k][fs::relative(entry.path(), out).string()] = read(entry.path());
        }
    }
    // rows, table, 7 plot data files, stdout, stderr; the workbook's rows and plot data files
    ASSERT_EQ(outputs[0].size(), 19u);
    for (const auto& [name, text] : outputs[0]) {
        EXPECT_EQ(outputs[1][name], text) << name;
    }
    EXPECT_NE(outputs[0]["stdout"].find("Kelvorad: 2 pairs"), std::string::npos);
    EXPECT_NE(outputs[0]["rows.tsv"].find("\t80.52\t"), std::string::npos);
    EXPECT_NE(outputs[0]["workbook-rows.tsv"].find("\t77.123456789\t"), std::string::npos);
}

namespace {

// A part of an .xlsx package as text, read with the system's unzip.
std::string xlsxPart(const fs::path& xlsx, const std::string& part) {
    const std::string command = "unzip -p '" + xlsx.string() + "' " + part;
    std::string text;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[4096];
        for (std::size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;)
            text.append(buffer, n);
        pclose(pipe);
    }
    return text;
}

// The XML of one worksheet row, "<row r="n" ...>...</row>".
std::string sheetRow(const std::string& sheetXml, int row) {
    const std::string open = "<row r=\"" + std::to_string(row) + "\"";
    const std::size_t start = sheetXml.find(open);
    if (start == std::string::npos) return {};
    return sheetXml.substr(start, sheetXml.find("</row>", start) - start);
}
}  // namespace

// The run record: the same fields as JSON and on the workbook's "Run" sheet, rows numbered
// as the lines of --table; the table file stays byte for byte what it was.
TEST_F(CalcCommand, RunRecordGoesToJsonAndToTheWorkbooksRunSheet) {
    const std::string inputText = std::string(kPair) + "\n" + kPair + "\n";
    const fs::path input = writeInput("pairs.tsv", inputText);
    const fs::path xlsx = dir_ / "Output.xlsx";
    const fs::path json = dir_ / "run.json";
    ASSERT_EQ(run({input, "--xlsx", xlsx.string(), "--run-record", json.string(), "--fe3", "droop",
                   "--table", (dir_ / "table.tsv").string(), "--plot-dir", dir_.string()}),
              0)
        << err_;
    const std::string record = read(json);
    EXPECT_NE(record.find("\"input_sha256\": \"" + sha256Hex(inputText) + "\""), std::string::npos)
        << record;
    EXPECT_NE(record.find("\"ferric_iron\": \"Droop (1987)\""), std::string::npos);
    EXPECT_NE(record.find("\"first_results_row\": 3,"), std::string::npos);
    EXPECT_NE(record.find("\"last_results_row\": 4,"), std::string::npos);
    EXPECT_NE(record.find("\"first_sample\": \"MT-01\""), std::string::npos);
    EXPECT_NE(record.find("mnuFe3Droop"), std::string::npos);
    EXPECT_NE(record.find(versionLine(kProgramTitle)), std::string::npos);

    ResultsTable expected;
    for (const std::string& line : lines(read(dir_ / "table.tsv"))) {
        if (line.rfind("Kelvorad\t", 0) != 0 && line.rfind("Sample\t", 0) != 0) {
            expected.appendResultsRow(line);
        }
    }
    EXPECT_EQ(read(dir_ / "table.tsv").substr(0, headerRowsAsText().size()), headerRowsAsText());

    fakes::FakeShell shell;
    SpreadsheetApplication application = SpreadsheetApplication::create(shell);
    auto book = application.workbooks().open(xlsx);
    ASSERT_TRUE(book.ok()) << book.error();
    ASSERT_EQ(book->worksheetCount().value(), 2);
    auto runSheet = book->worksheet(2);
    ASSERT_TRUE(runSheet.ok());
    EXPECT_EQ(runSheet->name().value(), "Run");
    EXPECT_EQ(runSheet->cell(1, 1).value().value(), "Run 1");
    std::map<std::string, std::string> fields;
    for (int r = 2; r < 20; ++r) {
        fields[runSheet->cell(r, 1).value().value()] = runSheet->cell(r, 2).value().value();
    }
    EXPECT_EQ(fields["Input SHA-256"], sha256Hex(inputText));
    EXPECT_EQ(fields["Input file"], fs::absolute(input).string());
    EXPECT_EQ(fields["Pressure (bars)"], "2000");
    EXPECT_EQ(fields["First results row"], "3");
    EXPECT_EQ(fields["Last results row"], "4");
    EXPECT_EQ(fields["Full model"], "on");
    application.quit();
}

TEST_F(CalcCommand, RunRecordToStandardOutputIsTheOnlyOutputThere) {
    const fs::path input = writeInput("pairs.tsv", std::string(kPair) + "\n");
    ASSERT_EQ(run({input, "--run-record", "-", "--plot-dir", dir_.string()}), 0) << err_;
    EXPECT_EQ(out_.front(), '{');
    EXPECT_EQ(out_.substr(out_.size() - 2), "}\n");
    EXPECT_EQ(run({input, "--run-record", "-", "--rows", "-"}), 2);
    EXPECT_EQ(run({input, "--run-record", "-", "--summary"}), 2);
}

// A pair that fails the equilibrium test is tinted in the workbook, cell by cell to its last
// field; a passing pair is not. The cells keep all their digits.
TEST_F(CalcCommand, MarkedRowsAreFilledInTheWorkbook) {
    std::string failing = kPair;
    failing.replace(failing.find("\t0.44\t"), 6, "\t0.05\t");  // magnetite MnO
    failing.replace(failing.find("\t1.45\t"), 6, "\t4.5\t");   // magnetite MgO
    const fs::path input = writeInput("pairs.tsv", failing + "\n" + kPair + "\n");
    const fs::path xlsx = dir_ / "Output.xlsx";
    ASSERT_EQ(run({input, "--xlsx", xlsx.string(), "--rows", (dir_ / "rows.tsv").string(),
                   "--plot-dir", dir_.string()}),
              0)
        << err_;
    const auto rows = lines(read(dir_ / "rows.tsv"));
    ASSERT_EQ(rows.size(), 2u);
    ASSERT_NE(rows[0].find("\tFailed"), std::string::npos) << rows[0];
    ASSERT_EQ(rows[1].find("\tFailed"), std::string::npos);

    EXPECT_NE(xlsxPart(xlsx, "xl/styles.xml").find("FFF4C7C3"), std::string::npos);
    const std::string sheet = xlsxPart(xlsx, "xl/worksheets/sheet1.xml");
    const std::string marked = sheetRow(sheet, 3);
    const std::string plain = sheetRow(sheet, 4);
    ASSERT_FALSE(marked.empty());
    ASSERT_FALSE(plain.empty());
    EXPECT_NE(marked.find("<c r=\"A3\" s="), std::string::npos) << marked.substr(0, 200);
    EXPECT_NE(marked.find("<c r=\"ED3\" s="), std::string::npos);  // column 134: the verdict
    EXPECT_EQ(plain.find(" s="), std::string::npos) << plain.substr(0, 200);
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

// An output path that is a device or a pipe (/dev/null, /dev/stdout, a named pipe) was replaced
// by a plain file: the rows went to a temporary file renamed over it. Text outputs are now
// written into it in place, and a workbook, which must be a file, is refused.
TEST_F(CalcCommand, DevicesAndPipesAreWrittenInPlaceAndNeverReplaced) {
    const fs::path input = writeInput("pair.tsv", std::string(kPair) + "\n");
    const fs::path pipe = dir_ / "pipe";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    // Opened for reading first, without waiting for a writer; one row fits the pipe's buffer.
    const int readEnd = ::open(pipe.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(readEnd, 0);
    const int code = run({input.string(), "--rows", pipe.string(), "--plot-dir", dir_.string()});
    std::string received;
    char block[4096];
    for (ssize_t n; (n = ::read(readEnd, block, sizeof block)) > 0;) received.append(block, n);
    ::close(readEnd);
    EXPECT_EQ(code, 0) << err_;
    EXPECT_TRUE(fs::is_fifo(pipe));
    EXPECT_EQ(received.substr(0, 6), "MT-01\t");
    EXPECT_EQ(std::count(received.begin(), received.end(), '\n'), 1);

    // A workbook goes into the pipe whole, as into a device: made aside, then copied.
    const int workbookEnd = ::open(pipe.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(workbookEnd, 0);
    EXPECT_EQ(run({input.string(), "--xlsx", pipe.string(), "--plot-dir", dir_.string()}), 0)
        << err_;
    std::string workbook;
    for (ssize_t n; (n = ::read(workbookEnd, block, sizeof block)) > 0;) workbook.append(block, n);
    ::close(workbookEnd);
    EXPECT_EQ(workbook.substr(0, 4), std::string("PK\x03\x04"));
    EXPECT_TRUE(fs::is_fifo(pipe));
    for (const auto& entry : fs::directory_iterator(dir_)) {
        EXPECT_EQ(entry.path().filename().string().find(".tmp"), std::string::npos);
        EXPECT_EQ(entry.path().filename().string().find(".new"), std::string::npos);
    }
}
