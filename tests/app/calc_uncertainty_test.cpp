// "kelvorad calc --uncertainty N": the uncertainty columns of --table, the plain --rows, draws
// that do not depend on how the input is chunked, the sigma options, the summary's
// "value ± sigma" table and the plot sigma files.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "cli/calc_summary.h"
#include "cli/cli_main.h"
#include "cli/pair_input.h"
#include "command_line_test.h"
#include "monte_carlo_run.h"
#include "number_text.h"
#include "plot_data_files.h"
#include "uncertainty_columns.h"

using namespace kelvorad;
namespace fs = std::filesystem;

namespace {
// Three pairs of a text file; the second varies the first, the third has no ilmenite.
const char* const kPairs =
    "MT-01\t0.12\t8.45\t2.10\t0.48\t0.09\t\t\t80.52\t0.44\t0.02\t0.11\t1.45\t0.03\t\t\t\t\t"
    "ILM-01\t0.04\t45.10\t0.21\t0.31\t0.05\t\t\t47.90\t0.62\t\t0.03\t2.48\t0.02\t\t\t\n"
    "MT-02\t0.10\t11.20\t1.90\t0.40\t0.07\t\t\t78.10\t0.50\t0.02\t0.11\t1.60\t0.03\t\t\t\t\t"
    "ILM-02\t0.03\t42.80\t0.25\t0.30\t0.04\t\t\t50.10\t0.58\t\t0.03\t2.10\t0.02\t\t\t\n"
    "MT-03\t0.10\t11.20\t1.90\t0.40\t0.07\t\t\t78.10\t0.50\t0.02\t0.11\t1.60\t0.03\t\t\t\t\t"
    "ILM-03\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\n";

std::vector<std::string> split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::istringstream in(text);
    for (std::string part; std::getline(in, part, separator);) parts.push_back(part);
    if (!text.empty() && text.back() == separator) parts.emplace_back();
    return parts;
}

class CalcUncertainty : public kelvorad::testing::CommandLineTest {
  protected:
    void SetUp() override {
        CommandLineTest::SetUp();
        input_ = writeInput("pairs.tsv", kPairs).string();
    }
    int calc(std::vector<std::string> args) {
        args.insert(args.begin(), "calc");
        return runKelvorad(std::move(args));
    }
    // The lines of a --table file, each split into its fields.
    std::vector<std::vector<std::string>> table(const fs::path& path) {
        std::vector<std::vector<std::string>> rows;
        for (const std::string& line : split(read(path), '\n')) {
            if (!line.empty()) rows.push_back(split(line, '\t'));
        }
        return rows;
    }

    std::string input_;
};

TEST_F(CalcUncertainty, TableGainsNamedColumnsAfterColumn146AndRowsStayAsTheyWere) {
    const std::string plain = (dir_ / "plain").string(), drawn = (dir_ / "drawn").string();
    ASSERT_EQ(
        calc({input_, "--table", plain + ".tsv", "--rows", plain + ".rows", "--plot-dir", plain}),
        0)
        << err_;
    ASSERT_EQ(calc({input_, "--uncertainty", "200", "--table", drawn + ".tsv", "--rows",
                    drawn + ".rows", "--plot-dir", drawn}),
              0)
        << err_;
    EXPECT_EQ(read(drawn + ".rows"), read(plain + ".rows")) << "--rows is byte-compatible";

    const auto without = table(plain + ".tsv");
    const auto with = table(drawn + ".tsv");
    ASSERT_EQ(with.size(), 5u);
    const std::vector<std::string> heads = uncertaintyHeaders();
    for (std::size_t r = 0; r < with.size(); ++r) {
        ASSERT_EQ(with[r].size(), 211u) << r;
        for (int c = 0; c < kUncertaintyFirstColumn; ++c) EXPECT_EQ(with[r][c], without[r][c]);
    }
    EXPECT_EQ(with[0][147], "147");
    EXPECT_EQ(with[1][147], "TAL85S83](oC) sd");
    EXPECT_EQ(with[1][148], "TAL85S83](oC) p2.5");
    EXPECT_EQ(with[1][149], "TAL85S83](oC) p97.5");
    for (int k = 0; k < kUncertaintyColumnCount; ++k) EXPECT_EQ(with[1][147 + k], heads[k]);
    EXPECT_EQ(with[1][147 + kUncertaintyColumnCount], "");

    // The first pair: T of AL85 lies within its 95 % interval, which is about 4 sigma wide.
    const auto& row = with[2];
    const double sd = std::stod(row[147]), low = std::stod(row[148]), high = std::stod(row[149]);
    const UncertaintyQuantity& tAL85 = kUncertaintyQuantities[0];
    int tColumn = -1;
    for (std::size_t c = 0; c < with[1].size(); ++c) {
        if (with[1][c] == tAL85.header) tColumn = static_cast<int>(c);
    }
    ASSERT_GE(tColumn, 0);
    const double central = std::stod(row[tColumn]);
    EXPECT_GT(sd, 1.0);
    EXPECT_LT(low, central);
    EXPECT_GT(high, central);
    EXPECT_NEAR((high - low) / sd, 3.92, 0.8);
    // The pair without ilmenite has no estimates: its uncertainty fields are empty.
    for (int k = 0; k < kUncertaintyColumnCount; ++k) EXPECT_EQ(with[4][147 + k], "") << k;
}

TEST_F(CalcUncertainty, DrawsAreTheSameHoweverTheInputIsChunkedAndFollowTheSeed) {
    // 1,000 draws make chunks of four rows: the 14 pairs (a blank row among them) go through
    // in four chunks, whose numbers must be those of one run over every pair.
    std::string text;
    const std::vector<std::string> lines = split(kPairs, '\n');
    for (int i = 0; i < 15; ++i) text += (i == 6 ? std::string(34, '\t') : lines[i % 2]) + "\n";
    std::ofstream(input_, std::ios::binary) << text;
    const fs::path tablePath = dir_ / "t.tsv";
    ASSERT_EQ(calc({input_, "--no-full-model", "--uncertainty", "1000", "--seed", "7", "--table",
                    tablePath.string(), "--plot-dir", dir_.string()}),
              0)
        << err_;
    const auto rows = table(tablePath);
    ASSERT_EQ(rows.size(), 16u);

    OpenedInput opened = openPairInput(input_);
    ASSERT_TRUE(opened.pairs);
    std::vector<PairRow> inputRows;
    while (opened.pairs->read(inputRows, 100)) {
    }
    std::vector<AnalysisPair> pairs;
    for (const PairRow& row : inputRows) {
        const auto cell = [&](int k) -> std::string_view { return row.cells[k]; };
        if (!isBlankPairRow(cell)) pairs.push_back(readAnalysisPair(cell));
    }
    ASSERT_EQ(pairs.size(), 14u);
    MethodChecks checks;
    checks.setChecked(MethodItem::GE08Model, false);
    const CalculationRun run(checks);
    MonteCarloSettings settings;
    settings.draws = 1000;
    settings.seed = 7;
    ThreadPool pool(2);
    const auto whole = MonteCarloRun(run, settings).run(pairs, pool);
    ASSERT_TRUE(whole);
    for (std::size_t p = 0; p < pairs.size(); ++p) {
        std::string expected;
        appendUncertaintyFields(expected, (*whole)[p]);
        const std::vector<std::string> fields = split(expected, '\t');
        for (int k = 0; k < kUncertaintyColumnCount; ++k) {
            EXPECT_EQ(rows[2 + p][147 + k], fields[147 + k]) << "pair " << p << " column " << k;
        }
    }
    // The pair index, not the content, addresses the draws: equal pairs 0 and 2 differ.
    EXPECT_NE(rows[2][147], rows[4][147]);

    const std::string first = read(tablePath);
    ASSERT_EQ(calc({input_, "--no-full-model", "--uncertainty", "1000", "--seed", "7", "--table",
                    tablePath.string(), "--plot-dir", dir_.string()}),
              0);
    EXPECT_EQ(read(tablePath), first) << "the same seed gives the same numbers";
    ASSERT_EQ(calc({input_, "--no-full-model", "--uncertainty", "1000", "--seed", "8", "--table",
                    tablePath.string(), "--plot-dir", dir_.string()}),
              0);
    EXPECT_NE(read(tablePath), first);
}

TEST_F(CalcUncertainty, SigmaOptionsSetTheErrors) {
    const fs::path tablePath = dir_ / "t.tsv";
    const auto sdOfT = [&](std::vector<std::string> sigma) {
        std::vector<std::string> args = {input_,       "--no-full-model", "--uncertainty",
                                         "300",        "--table",         tablePath.string(),
                                         "--plot-dir", dir_.string()};
        args.insert(args.end(), sigma.begin(), sigma.end());
        EXPECT_EQ(calc(args), 0) << err_;
        return std::stod(table(tablePath)[2][147]);
    };
    const double twoPercent = sdOfT({});
    EXPECT_DOUBLE_EQ(sdOfT({"--sigma-rel", "2"}), twoPercent);
    // About linear for small errors: half the sigma, about half the spread.
    EXPECT_NEAR(sdOfT({"--sigma-rel", "1", "--sigma-floor", "0.015"}) / twoPercent, 0.5, 0.05);
    // No error at all: every draw is the pair itself.
    ASSERT_EQ(
        calc({input_, "--no-full-model", "--uncertainty", "50", "--sigma-rel", "0", "--sigma-floor",
              "0", "--table", tablePath.string(), "--plot-dir", dir_.string()}),
        0);
    const auto row = table(tablePath)[2];
    EXPECT_EQ(row[147], "0");
    EXPECT_EQ(row[148], row[149]);

    // A file: TiO2 of the magnetite alone carries an error.
    const fs::path sigmaFile = dir_ / "sigma.txt";
    std::ofstream(sigmaFile) << "# only magnetite TiO2\n* * abs 0 floor 0\nmt TiO2 rel 2\n";
    const double tiO2Only = sdOfT({"--sigma", sigmaFile.string()});
    EXPECT_GT(tiO2Only, 0.0);
    EXPECT_LT(tiO2Only, twoPercent);
}

TEST_F(CalcUncertainty, WrongUncertaintyOptionsAreUsageErrors) {
    const fs::path badSigma = dir_ / "bad.txt";
    std::ofstream(badSigma) << "mt TiO2 rel 2\nmt TiO3 rel 2\n";
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"--seed", "3"}, "go with --uncertainty N"},
        {{"--sigma-rel", "3"}, "go with --uncertainty N"},
        {{"--uncertainty", "1"}, "from 2 to 1000000"},
        {{"--uncertainty", "ten"}, "not 'ten'"},
        {{"--uncertainty", "10", "--seed", "-1"}, "--seed takes"},
        {{"--uncertainty", "10", "--sigma-rel", "-2"}, "--sigma-rel takes"},
        {{"--uncertainty", "10", "--sigma-floor", "x"}, "--sigma-floor takes"},
        {{"--uncertainty", "10", "--sigma", badSigma.string(), "--sigma-rel", "2"},
         "exclude each other"},
        {{"--uncertainty", "10", "--sigma", badSigma.string(), "--sigma-floor", "0.1"},
         "own floors"},
        {{"--uncertainty", "10", "--sigma", badSigma.string()}, "line 2"},
        {{"--uncertainty", "10", "--sigma", (dir_ / "none.txt").string()}, "none.txt"},
    };
    for (const auto& [options, message] : cases) {
        std::vector<std::string> args = {input_, "--rows", (dir_ / "rows.tsv").string()};
        args.insert(args.end(), options.begin(), options.end());
        EXPECT_EQ(calc(args), 2) << options[0];
        EXPECT_NE(err_.find(message), std::string::npos) << err_;
        EXPECT_FALSE(fs::exists(dir_ / "rows.tsv"));
    }
}

TEST_F(CalcUncertainty, SummaryShowsValuePlusMinusSigmaAndTheCalibrationTermApart) {
    ASSERT_EQ(calc({input_, "--uncertainty", "100", "--plot-dir", dir_.string()}), 0) << err_;
    EXPECT_NE(out_.find("one sigma from 100 draws a pair (seed 1)"), std::string::npos) << out_;
    const std::size_t mt01 = out_.find("\nMT-01", out_.find("Analytical uncertainty"));
    ASSERT_NE(mt01, std::string::npos);
    const std::string line = out_.substr(mt01 + 1, out_.find('\n', mt01 + 1) - mt01 - 1);
    EXPECT_NE(line.find(" °C"), std::string::npos) << line;
    EXPECT_GE(std::count(line.begin(), line.end(), '%'), 1) << line;
    EXPECT_NE(out_.find("Calibration uncertainty as published, not included above"),
              std::string::npos);
    EXPECT_NE(out_.find("AL85 T: none stated (Andersen and Lindsley (1985)"), std::string::npos);
    EXPECT_NE(out_.find("GE08 model log fO2: none stated"), std::string::npos);

    ASSERT_EQ(calc({input_, "--plot-dir", dir_.string()}), 0);
    EXPECT_EQ(out_.find("±"), std::string::npos) << "no uncertainty table without the option";
}

TEST(PlusMinusText, RoundsToTheSigmasSecondSignificantDigit) {
    EXPECT_EQ(plusMinusText(830.14, 14.2, 1, "°C"), "830 ± 14 °C");
    EXPECT_EQ(plusMinusText(863.14, 8.64, 1, "°C"), "863.1 ± 8.6 °C");
    EXPECT_EQ(plusMinusText(-11.2345, 0.153, 2, ""), "-11.23 ± 0.15");
    EXPECT_EQ(plusMinusText(0.7143, 0.0604, 2, ""), "0.714 ± 0.060");
    EXPECT_EQ(plusMinusText(0.5, 1e-9, 2, ""), "0.500 ± 0.000") << "at most three decimals";
    EXPECT_EQ(plusMinusText(830.14, 0.0, 1, "°C"), "830.1 ± 0.0 °C");
    EXPECT_EQ(plusMinusText(830.14, kMissing, 1, "°C"), "830.1 °C");
    EXPECT_EQ(plusMinusText(kMissing, 3.0, 1, "°C"), "-");
}

TEST_F(CalcUncertainty, SigmaFilesMatchTheirDataFilesAndARunWithoutThemRemovesThem) {
    ASSERT_EQ(calc({input_, "--uncertainty", "50", "--check", "TNNOS08", "--rows",
                    (dir_ / "rows.tsv").string(), "--plot-dir", dir_.string()}),
              0)
        << err_;
    for (const auto& [data, sigma] : {std::pair{"TlogfO2.dat", "TlogfO2Sigma.dat"},
                                      std::pair{"TDeltaNNO.dat", "TDeltaNNOSigma.dat"}}) {
        const auto dataLines = split(read(dir_ / data), '\n');
        const auto sigmaLines = split(read(dir_ / sigma), '\n');
        ASSERT_EQ(sigmaLines.size(), dataLines.size()) << sigma;
        EXPECT_GT(dataLines.size(), 3u);
        EXPECT_EQ(sigmaLines[0].rfind("sdT(oC) sd", 0), 0u);
        for (std::size_t k = 0; k + 1 < sigmaLines.size(); ++k)
            EXPECT_EQ(sigmaLines[k].back(), '\r');
    }
    // Every pair's T-DeltaNNO group: AL85, S08, the full model; the pair without ilmenite NaN.
    const auto sigmaLines = split(read(dir_ / "TDeltaNNOSigma.dat"), '\n');
    EXPECT_EQ(sigmaLines[1].find("NaN"), std::string::npos) << sigmaLines[1];
    EXPECT_NE(sigmaLines[7].find("NaN"), std::string::npos) << sigmaLines[7];

    ASSERT_EQ(calc({input_, "--rows", (dir_ / "rows.tsv").string(), "--plot-dir", dir_.string()}),
              0);
    EXPECT_FALSE(fs::exists(dir_ / "TlogfO2Sigma.dat"));
    EXPECT_FALSE(fs::exists(dir_ / "TDeltaNNOSigma.dat"));
    EXPECT_TRUE(fs::exists(dir_ / "TlogfO2.dat"));
}

}  // namespace
