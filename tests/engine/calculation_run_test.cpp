#include "calculation_run.h"

#include <gtest/gtest.h>

#include "engine_test_pairs.h"
#include "plot_data_files.h"
#include "results_row.h"

using namespace kelvorad;
using kelvorad::testing::daciteCells;
using kelvorad::testing::pairFromCells;
constexpr auto fields = kelvorad::testing::rowFields;

namespace {

// A pair that fails the equilibrium test: magnetite Mg/Mn far above the ilmenite's band.
AnalysisPair failingPair() {
    std::vector<std::string> cells = daciteCells();
    cells[12] = "4.5";  // magnetite MgO
    cells[9] = "0.05";  // magnetite MnO
    return pairFromCells(cells);
}

bool isEstimateColumn(int c) {
    return (c >= 97 && c <= 110) || (c >= 112 && c <= 124) || (c >= 126 && c <= 131);
}
}  // namespace

TEST(CalculationRun, DecodesOptionsOnceAndReportsPanels) {
    MethodChecks checks;
    checks.setChecked(MethodItem::NNO1, true);
    checks.setChecked(MethodItem::Fe3Droop, true);
    CalculationRun run(checks);
    EXPECT_EQ(run.choices().pressureBars, 1);
    EXPECT_EQ(run.choices().scheme, FerricScheme::Droop);
    EXPECT_EQ(run.choices().ferricIronCaption, "Droop (1987)");
    EXPECT_EQ(run.choices().nnoPressureCaption, "NNO (1 bar)");
    EXPECT_FALSE(checks.isChecked(MethodItem::Fe3Stormer));
    EXPECT_FALSE(checks.isChecked(MethodItem::NNO2000));
    // Every pair uses Droop (1987): cation totals exactly 3 and 2.
    const PairResult r = run.computePair(pairFromCells(daciteCells()));
    EXPECT_NEAR(r.formulae.magnetite.cationTotal, 3.0, 1e-14);
}

TEST(CalculationRun, FailedTestKeepsEstimatesWithoutTheOption) {
    MethodChecks checks;
    CalculationRun run(checks);
    const PairResult r = run.computePair(failingPair());
    EXPECT_EQ(r.equilibrium, EquilibriumVerdict::Failed);
    const auto f = fields(resultsRow(r));
    EXPECT_EQ(f[133], "Failed");
    for (int c = 97; c <= 131; ++c) {
        if (isEstimateColumn(c)) {
            EXPECT_FALSE(f[c].empty()) << c;
        }
    }
}

TEST(CalculationRun, FailedTestWithdrawsEstimatesWithTheOption) {
    MethodChecks checks;
    checks.setChecked(MethodItem::BH88TestforTO, true);
    CalculationRun run(checks);
    const auto f = fields(resultsRow(run.computePair(failingPair())));
    ASSERT_EQ(f.size(), 134u);
    for (int c = 97; c <= 131; ++c) {
        if (isEstimateColumn(c)) {
            EXPECT_TRUE(f[c].empty()) << c;
        }
    }
    EXPECT_EQ(f[133], "Failed");
    EXPECT_FALSE(f[88].empty());  // fractions are not touched
    EXPECT_FALSE(f[26].empty());
    // A passing pair keeps everything.
    const auto passing = fields(resultsRow(run.computePair(pairFromCells(daciteCells()))));
    EXPECT_EQ(passing[133], "Passed");
    EXPECT_FALSE(passing[108].empty());
}

// log(Mg/Mn) is undefined for a phase without Mg or Mn: such a pair is "Not tested", keeps
// its estimates under the test option, and has no point on the Mg/Mn graph.
TEST(CalculationRun, PairWithoutMagnesiumOrManganeseIsNotTested) {
    MethodChecks checks;
    checks.setChecked(MethodItem::BH88TestforTO, true);
    CalculationRun run(checks);
    // Magnetite MnO and MgO, ilmenite MnO and MgO; blank, zero or negative.
    for (int cell : {9, 12, 27, 30}) {
        for (const char* value : {"", "0", "-0.1"}) {
            std::vector<std::string> cells = daciteCells();
            cells[cell] = value;
            const PairResult r = run.computePair(pairFromCells(cells));
            const auto f = fields(resultsRow(r));
            EXPECT_EQ(f[133], "Not tested") << "cell " << cell << " '" << value << "'";
            for (int c = 97; c <= 131; ++c) {
                if (isEstimateColumn(c)) {
                    EXPECT_FALSE(f[c].empty()) << cell << ", column " << c;
                }
            }
            PlotBuffers plots;
            appendPlotLines(plots, r, run.checks());
            EXPECT_EQ(plots[kMgMnIlmMagBH88], "") << "cell " << cell;
            EXPECT_EQ(plots[kTDeltaNNO].find("NaN"), std::string::npos) << "cell " << cell;
        }
    }
    // With Mg and Mn in both phases the pair is tested as before.
    const auto tested = fields(resultsRow(run.computePair(pairFromCells(daciteCells()))));
    EXPECT_EQ(tested[133], "Passed");
}

TEST(CalculationRun, PairWithoutIlmeniteShowsTheMagnetiteHalfAndTheTest) {
    std::vector<std::string> cells = daciteCells();
    cells[20] = "0";  // ilmenite TiO2
    MethodChecks checks;
    CalculationRun run(checks);
    const PairResult r = run.computePair(pairFromCells(cells));
    const auto f = fields(resultsRow(r));
    ASSERT_EQ(f.size(), 134u);
    for (int c = 0; c <= 36; ++c) EXPECT_FALSE(f[c].empty()) << c;
    for (int c = 38; c <= 131; ++c) EXPECT_TRUE(f[c].empty()) << c;
    EXPECT_TRUE(f[133] == "Passed" || f[133] == "Failed");
    EXPECT_FALSE(isMissing(r.sumsIlmenite.r2));  // cation sums and log(Mg/Mn) stay
    EXPECT_FALSE(isMissing(r.logMgMnIlmenite));
}

TEST(CalculationRun, FailedStepOfOnePairDoesNotLeakIntoTheNext) {
    MethodChecks checks;
    CalculationRun run(checks);
    const PairResult good = run.computePair(pairFromCells(daciteCells()));
    std::vector<std::string> empty(35);
    empty[0] = "blank";
    empty[8] = "";
    const PairResult bad = run.computePair(pairFromCells(empty));
    EXPECT_FALSE(isMissing(good.thermometry.tAL85[3]));
    EXPECT_TRUE(isMissing(bad.thermometry.tAL85[3]));
    EXPECT_TRUE(isMissing(bad.formulae.magnetite.cations[Ti]));
    const auto f = fields(resultsRow(bad));
    ASSERT_EQ(f.size(), 134u);
    EXPECT_EQ(f[0], "blank");
    EXPECT_EQ(f[1], "0");
    EXPECT_TRUE(f[21].empty());
}

TEST(RowSelection, BlankRowsAreSkippedAndNothingAfterThemIsLost) {
    std::vector<std::vector<std::string>> rows(8, std::vector<std::string>(35));
    rows[0] = daciteCells("A");
    rows[1] = daciteCells("B");
    // rows[2] blank: skipped
    rows[3] = daciteCells("D");
    rows[3][8] = "";  // no magnetite FeO: still processed
    rows[4] = daciteCells("E");
    rows[6] = std::vector<std::string>(35, "  ");  // only blanks: skipped
    rows[7] = daciteCells("H");
    MethodChecks checks;
    CalculationRun run(checks);
    std::vector<std::string> samples;
    const int pairs = run.processRows(
        0, 7, [&](int r, int k) -> std::string_view { return rows[r][k]; }, nullptr,
        [&](const PairResult& result, const std::string& row) {
            samples.push_back(result.input.magnetite.sample);
            EXPECT_EQ(fields(row).size(), 134u);
        });
    EXPECT_EQ(pairs, 5);
    EXPECT_EQ(samples, (std::vector<std::string>{"A", "B", "D", "E", "H"}));
}

TEST(RowSelection, SpacerColumnAloneMakesARow) {
    std::vector<std::string> cells(35);
    cells[17] = "note";
    MethodChecks checks;
    CalculationRun run(checks);
    int pairs = run.processRows(
        1, 1, [&](int, int k) -> std::string_view { return cells[k]; }, nullptr,
        [](const PairResult&, const std::string&) {});
    EXPECT_EQ(pairs, 1);
}
