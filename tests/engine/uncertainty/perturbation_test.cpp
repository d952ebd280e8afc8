// Perturbed pairs: normal errors of the table's sigma, clipped at 0, blanks left blank, and
// the same numbers for the same draw address.
#include <gtest/gtest.h>

#include <cmath>

#include "engine_test_pairs.h"
#include "perturbation.h"

using namespace kelvorad;
using kelvorad::testing::daciteCells;
using kelvorad::testing::pairFromCells;

namespace {
SigmaTable zeroSigma() {
    return uniformRelativeSigma(0.0, 0.0);
}
}  // namespace

TEST(PerturbPair, ZeroSigmaGivesTheAnalysisBack) {
    const AnalysisPair pair = pairFromCells(daciteCells());
    AnalysisPair draw;
    for (std::uint64_t d = 0; d < 100; ++d) {
        perturbPair(pair, zeroSigma(), {5, 0, d}, draw);
        EXPECT_EQ(draw.magnetite.wt, pair.magnetite.wt);
        EXPECT_EQ(draw.ilmenite.wt, pair.ilmenite.wt);
    }
    EXPECT_EQ(draw.magnetite.sample, "") << "names are not copied into a draw";
}

TEST(PerturbPair, BlankOxidesStayBlank) {
    AnalysisPair pair = pairFromCells(daciteCells());
    pair.ilmenite.wt[NiO] = kMissing;  // a caller's missing value
    AnalysisPair draw;
    const SigmaTable large = uniformRelativeSigma(50.0, 1.0);
    for (std::uint64_t d = 0; d < 200; ++d) {
        perturbPair(pair, large, {1, 0, d}, draw);
        EXPECT_EQ(draw.magnetite.wt[Nb2O3], 0.0);
        EXPECT_EQ(draw.magnetite.wt[Fe2O3], 0.0);
        EXPECT_EQ(draw.ilmenite.wt[Na2O], 0.0);
        EXPECT_TRUE(isMissing(draw.ilmenite.wt[NiO]));
        EXPECT_NE(draw.magnetite.wt[FeO], pair.magnetite.wt[FeO]);
    }
}

TEST(PerturbPair, ValuesDrawnBelowZeroAreSetToZero) {
    // MgO 0.05 wt% with sigma 0.1 wt%: P(wt + sigma z < 0) = Phi(-0.5) = 0.3085.
    AnalysisPair pair;
    pair.magnetite.wt[MgO] = 0.05;
    SigmaTable sigma;
    sigma.set(Phase::magnetite, MgO, {SigmaKind::absolute, 0.1, 0.0});
    AnalysisPair draw;
    int zeros = 0;
    constexpr int n = 20'000;
    for (std::uint64_t d = 0; d < n; ++d) {
        perturbPair(pair, sigma, {9, 4, d}, draw);
        ASSERT_GE(draw.magnetite.wt[MgO], 0.0);
        if (draw.magnetite.wt[MgO] == 0.0) ++zeros;
    }
    EXPECT_NEAR(zeros / double(n), 0.3085, 0.01);  // standard error 0.0033
}

TEST(PerturbPair, EachOxideMovesWithItsOwnSigmaIndependently) {
    // Magnetite FeO 80 wt% at 2 % (sigma 1.6) and TiO2 8 wt% at 0.2 wt% absolute.
    AnalysisPair pair;
    pair.magnetite.wt[FeO] = 80.0;
    pair.magnetite.wt[TiO2] = 8.0;
    pair.ilmenite.wt[FeO] = 80.0;
    SigmaTable sigma;
    sigma.set(Phase::magnetite, TiO2, {SigmaKind::absolute, 0.2, 0.0});
    constexpr int n = 40'000;
    double sumFe = 0, squaresFe = 0, squaresTi = 0, product = 0, phaseProduct = 0;
    AnalysisPair draw;
    for (std::uint64_t d = 0; d < n; ++d) {
        perturbPair(pair, sigma, {2, 0, d}, draw);
        const double fe = draw.magnetite.wt[FeO] - 80.0;
        const double ti = draw.magnetite.wt[TiO2] - 8.0;
        const double ilmFe = draw.ilmenite.wt[FeO] - 80.0;
        sumFe += fe, squaresFe += fe * fe, squaresTi += ti * ti;
        product += fe * ti, phaseProduct += fe * ilmFe;
    }
    EXPECT_NEAR(sumFe / n, 0.0, 0.03);
    EXPECT_NEAR(std::sqrt(squaresFe / n), 1.6, 0.02);
    EXPECT_NEAR(std::sqrt(squaresTi / n), 0.2, 0.0025);
    EXPECT_NEAR(product / n / (1.6 * 0.2), 0.0, 0.02) << "oxides of a phase are independent";
    EXPECT_NEAR(phaseProduct / n / (1.6 * 1.6), 0.0, 0.02) << "the two phases are independent";
}

TEST(PerturbPair, TheSameAddressGivesTheSameDrawAndAnotherAddressAnother) {
    const AnalysisPair pair = pairFromCells(daciteCells());
    const SigmaTable sigma;
    AnalysisPair a, b;
    perturbPair(pair, sigma, {11, 3, 7}, a);
    perturbPair(pair, sigma, {11, 3, 7}, b);
    EXPECT_EQ(a.magnetite.wt, b.magnetite.wt);
    EXPECT_EQ(a.ilmenite.wt, b.ilmenite.wt);
    for (DrawAddress other :
         {DrawAddress{12, 3, 7}, DrawAddress{11, 4, 7}, DrawAddress{11, 3, 8}}) {
        perturbPair(pair, sigma, other, b);
        EXPECT_NE(a.magnetite.wt[FeO], b.magnetite.wt[FeO]);
        EXPECT_NE(a.ilmenite.wt[TiO2], b.ilmenite.wt[TiO2]);
    }
}
