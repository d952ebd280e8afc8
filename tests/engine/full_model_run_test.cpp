// The full Ghiorso and Evans (2008) model inside a calculation run: its option, its columns,
// its plot line, and the same withdrawal rules as every other estimate.
#include <gtest/gtest.h>

#include "calculation_run.h"
#include "engine_test_pairs.h"
#include "ge08/test_pairs.h"
#include "results_row.h"

using namespace kelvorad;
using kelvorad::testing::daciteCells;
using kelvorad::testing::pairFromCells;
constexpr auto fields = kelvorad::testing::rowFields;

namespace {

// The example pair of the online calculator, as a table row.
AnalysisPair websitePair() {
    AnalysisPair p;
    p.magnetite.sample = "WEB Mt";
    p.magnetite.wt = ge08::check_pairs::websiteMagnetite();
    p.ilmenite.sample = "WEB Ilm";
    p.ilmenite.wt = ge08::check_pairs::websiteIlmenite();
    return p;
}

MethodChecks withFullModel() {
    MethodChecks checks;
    checks.setChecked(MethodItem::GE08Model, true);
    return checks;
}
}  // namespace

TEST(FullModelInTheRun, UncheckedLeavesTheRowAsBefore) {
    MethodChecks checks;
    CalculationRun run(checks);
    const PairResult r = run.computePair(websitePair());
    EXPECT_FALSE(r.fullModel.has_value());
    EXPECT_EQ(fields(resultsRow(r)).size(), 134u);
}

TEST(FullModelInTheRun, CheckedAddsTheModelAndDeltaFMQGroups) {
    MethodChecks checks = withFullModel();
    checks.setChecked(MethodItem::NNO1000, true);
    CalculationRun run(checks);
    const PairResult r = run.computePair(websitePair());
    const auto f = fields(resultsRow(r));
    ASSERT_EQ(f.size(), 147u);
    EXPECT_EQ(f[134], "");
    EXPECT_EQ(f[140], "converged");
    EXPECT_EQ(f[141], "");
    EXPECT_EQ(f[kDeltaFMQFullModelColumn], formatNumber(r.deltaFMQFullModel));
    // The model runs at the run's NNO pressure.
    const ge08::Ge08Result direct = ge08::computeGe08Model(
        ge08::check_pairs::websiteMagnetite(), ge08::check_pairs::websiteIlmenite(), 1000);
    EXPECT_EQ(f[135], formatNumber(direct.temperatureC));
    EXPECT_EQ(f[136], formatNumber(direct.log10fO2));
    EXPECT_EQ(f[137], formatNumber(direct.deltaNNO));
    EXPECT_EQ(f[138], formatNumber(direct.aTiO2));
    EXPECT_EQ(f[139], formatNumber(direct.feMgTemperatureC));
    // Every other column is what the run without the model writes.
    MethodChecks plain;
    plain.setChecked(MethodItem::NNO1000, true);
    CalculationRun without(plain);
    const auto g = fields(resultsRow(without.computePair(websitePair())));
    for (std::size_t c = 0; c < g.size(); ++c) EXPECT_EQ(f[c], g[c]) << c;
}

// DeltaFMQ by hand from the row's own log fO2 and T: Frost (1991) beta-quartz constants at the
// run's pressure, for the model and for the four Andersen and Lindsley (1985) values.
TEST(FullModelInTheRun, DeltaFMQIsLogFO2LessTheBufferAtTheRunsPressure) {
    MethodChecks checks = withFullModel();
    checks.setOtherPressureBars(4200.0);
    checks.setChecked(MethodItem::OtherPressure, true);
    CalculationRun run(checks);
    EXPECT_EQ(run.choices().pressureBars, 5000);
    EXPECT_EQ(run.choices().modelPressureBars, 4200.0);
    const PairResult r = run.computePair(websitePair());
    const auto byHand = [](double logFO2, double tC) {
        const double tK = tC + 273.15;
        return logFO2 - (-25096.3 / tK + 8.735 + 0.110 * 4199.0 / tK);
    };
    ASSERT_EQ(r.fullModel->status, ge08::Ge08Status::converged);
    const ge08::Ge08Result direct = ge08::computeGe08Model(
        ge08::check_pairs::websiteMagnetite(), ge08::check_pairs::websiteIlmenite(), 4200.0);
    EXPECT_EQ(r.fullModel->temperatureC, direct.temperatureC);
    EXPECT_NEAR(r.deltaFMQFullModel, byHand(direct.log10fO2, direct.temperatureC), 1e-12);
    const auto f = fields(resultsRow(r));
    for (std::size_t k = 0; k < 4; ++k) {
        const double expected = byHand(r.thermometry.fo2AL85[k], r.thermometry.tAL85[k]);
        EXPECT_NEAR(r.deltaFMQAL85[k], expected, 1e-12) << k;
        EXPECT_EQ(f[kDeltaFMQAL85FirstColumn + k], formatNumber(r.deltaFMQAL85[k])) << k;
    }
    // DeltaFMQ and DeltaNNO differ by the two buffers' gap, about 0.7 log units near 900 C.
    EXPECT_NEAR(r.fullModel->deltaNNO - r.deltaFMQFullModel, -0.7, 0.3);
}

TEST(FullModelInTheRun, FailedTestWithdrawsTheModelValuesButKeepsItsStatus) {
    MethodChecks checks = withFullModel();
    checks.setChecked(MethodItem::BH88TestforTO, true);
    CalculationRun run(checks);
    std::vector<std::string> cells = daciteCells();
    cells[12] = "4.5";  // magnetite MgO far above the equilibrium band
    cells[9] = "0.05";
    const PairResult r = run.computePair(pairFromCells(cells));
    ASSERT_EQ(r.equilibrium, EquilibriumVerdict::Failed);
    const auto f = fields(resultsRow(r));
    ASSERT_EQ(f.size(), 147u);
    for (int c = 135; c <= 139; ++c) EXPECT_EQ(f[c], "") << c;
    EXPECT_FALSE(f[140].empty());
    for (int c = 142; c <= 146; ++c) EXPECT_EQ(f[c], "") << c;
}

TEST(FullModelInTheRun, PairWithoutIlmeniteBlanksTheModelValues) {
    MethodChecks checks = withFullModel();
    CalculationRun run(checks);
    std::vector<std::string> cells = daciteCells();
    cells[20] = std::string("0");  // ilmenite TiO2
    const auto f = fields(resultsRow(run.computePair(pairFromCells(cells))));
    ASSERT_EQ(f.size(), 147u);
    for (int c = 135; c <= 139; ++c) EXPECT_EQ(f[c], "") << c;
    EXPECT_EQ(f[140], "outside model");
    for (int c = 142; c <= 146; ++c) EXPECT_EQ(f[c], "") << c;
}

TEST(FullModelInTheRun, NoSolutionLeavesTheValuesEmpty) {
    MethodChecks checks = withFullModel();
    CalculationRun run(checks);
    AnalysisPair p = websitePair();
    p.ilmenite.wt[ge08::check_pairs::TiO2] = 0.5;  // barely any ilmenite component
    p.ilmenite.wt[ge08::check_pairs::FeO] = 90;
    const PairResult r = run.computePair(p);
    ASSERT_TRUE(r.fullModel.has_value());
    ASSERT_NE(r.fullModel->status, ge08::Ge08Status::converged);
    const auto f = fields(resultsRow(r));
    for (int c = 135; c <= 138; ++c) EXPECT_EQ(f[c], "") << c;
    EXPECT_EQ(f[140], std::string(ge08::ge08StatusText(r.fullModel->status)));
}

TEST(FullModelInTheRun, DeltaNNOPlotFileGetsAFourthLine) {
    MethodChecks checks = withFullModel();
    checks.setChecked(MethodItem::TNNOS08, true);
    checks.setChecked(MethodItem::TNNOGE08, true);
    CalculationRun run(checks);
    const PairResult r = run.computePair(websitePair());
    PlotBuffers b;
    appendPlotLines(b, r, checks);
    std::string expected;
    for (auto [t, d] : {std::pair{r.thermometry.tAL85[3], r.thermometry.deltaNNOAL85[3]},
                        std::pair{r.newer.tS08, r.newer.deltaNNOS08},
                        std::pair{r.newer.tGE08, r.newer.deltaNNOGE08},
                        std::pair{r.fullModel->temperatureC, r.fullModel->deltaNNO}}) {
        appendPlotText(expected, "WEB Mt");
        appendPlotNumber(expected, t);
        appendPlotNumber(expected, d);
        expected += "\r\n";
    }
    EXPECT_EQ(b[kTDeltaNNO], expected);
}
