#include "results_row.h"

#include <gtest/gtest.h>

#include "calculation_run.h"
#include "engine_test_pairs.h"

using namespace kelvorad;
using kelvorad::testing::daciteCells;
using kelvorad::testing::pairFromCells;

namespace {
std::vector<std::string> rowFields(const std::vector<std::string>& cells) {
    MethodChecks checks;
    CalculationRun run(checks);
    return kelvorad::testing::rowFields(resultsRow(run.computePair(pairFromCells(cells))));
}
}  // namespace

TEST(ResultsRow, HasOneHundredThirtyFourFieldsWithEmptySeparators) {
    const auto f = rowFields(daciteCells());
    ASSERT_EQ(f.size(), 134u);
    for (int c : {37, 75, 96, 111, 125, 132}) EXPECT_TRUE(f[c].empty()) << c;
    EXPECT_EQ(f[0], "MT-01");
    EXPECT_EQ(f[38], "ILM-01");
    EXPECT_EQ(f[133], "Passed");
}

TEST(ResultsRow, WeightPercentagesAreParsedNumbers) {
    std::vector<std::string> cells = daciteCells();
    cells[2] = "12.50";
    cells[3] = "abc";
    cells[4] = "  7";
    const auto f = rowFields(cells);
    EXPECT_EQ(f[2], "12.5");
    EXPECT_EQ(f[3], "0");
    EXPECT_EQ(f[4], "7");
    EXPECT_EQ(f[8], "80.52");
    EXPECT_EQ(f[46], "47.9");
}

TEST(ResultsRow, ColumnsHoldTheirQuantities) {
    MethodChecks checks;
    CalculationRun run(checks);
    const PairResult r = run.computePair(pairFromCells(daciteCells()));
    const auto f = kelvorad::testing::rowFields(resultsRow(r));
    EXPECT_EQ(f[17], formatNumber(r.formulae.magnetite.oxideTotal));
    EXPECT_EQ(f[21], formatNumber(r.formulae.magnetite.cations[Ti]));
    EXPECT_EQ(f[65], formatNumber(r.formulae.ilmenite.cations[Fe2]));
    EXPECT_EQ(f[76], formatNumber(r.formulae.magnetite.oxygenBasisFactor));
    EXPECT_EQ(f[86], formatNumber(r.fractions.uspS83));
    EXPECT_EQ(f[90], formatNumber(r.fractions.xIlm));
    EXPECT_EQ(f[95], formatNumber(r.fractions.xHemPrime));
    EXPECT_EQ(f[100], formatNumber(r.thermometry.tP77[3]));
    EXPECT_EQ(f[108], formatNumber(r.thermometry.tAL85[3]));
    EXPECT_EQ(f[109], formatNumber(r.newer.tS08));
    EXPECT_EQ(f[123], formatNumber(r.thermometry.fo2AL85[3]));
    EXPECT_EQ(f[124], formatNumber(r.newer.logFO2S08));
    EXPECT_EQ(f[129], formatNumber(r.thermometry.deltaNNOAL85[3]));
    EXPECT_EQ(f[131], formatNumber(r.newer.deltaNNOGE08));
}
