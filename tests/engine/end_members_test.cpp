#include "end_members.h"

#include <gtest/gtest.h>

#include "structural_formula.h"

using namespace kelvorad;

namespace {
OxideValues cations(std::initializer_list<std::pair<Cation, double>> values) {
    OxideValues c{};
    for (auto [cation, value] : values) c[cation] = value;
    return c;
}

const OxideValues kIlmenite = cations({{Ti, 0.95}, {Fe2, 0.9}, {Fe3, 0.1}, {Mg, 0.05}});
}  // namespace

TEST(EndMembers, StormerExampleGivesTheSameUlvospinelByEveryScheme) {
    MineralAnalysis magnetite;
    magnetite.wt[FeO] = 80;
    magnetite.wt[TiO2] = 15;
    const PairFormulae f = recalculatePair({magnetite, {}}, FerricScheme::Stormer);
    const EndMembers e = computeEndMembers(f.magnetite.cations, kIlmenite);
    for (double usp : {e.uspC67, e.uspA68, e.uspLS82, e.uspS83}) EXPECT_NEAR(usp, 43.298, 5e-4);
    EXPECT_NEAR(e.magC67, 56.702, 5e-4);
    EXPECT_NEAR(e.xUsp, 0.43298, 5e-6);
    EXPECT_NEAR(e.xUspPrime, 0.43298, 5e-6);
    EXPECT_NEAR(e.xUsp, e.uspS83 / 100, 1e-14);
}

TEST(EndMembers, PureUlvospinelMagnetiteSeries) {
    const OxideValues m = cations({{Ti, 0.3}, {Fe2, 1.3}, {Fe3, 1.4}});
    const EndMembers e = computeEndMembers(m, kIlmenite);
    EXPECT_DOUBLE_EQ(e.uspLS82, 100 * 3 * 0.3 / (0.3 + 1.4 + 1.3));
    EXPECT_DOUBLE_EQ(e.xUspPrime, 0.3 / (0.3 + 1.4 / 2));
    EXPECT_DOUBLE_EQ(e.xMagPrime, 1 - e.xUspPrime);
}

TEST(EndMembers, AndersonBranchTestIsStrict) {
    const double mg = 0.1;
    const double ti = 0.3, fe2 = 1.2, fe3 = 1.2, mn = 0.02;
    const double secondFormula = 100 * 3 * (ti - mn / 2) / (fe3 + fe2 - 0.4286 * mg + ti - mn / 2);
    // Al exactly 1.4286 Mg takes the second formula.
    OxideValues m = cations({{Ti, ti}, {Fe2, fe2}, {Fe3, fe3}, {Mn, mn}, {Mg, mg}});
    m[Al] = mg + 0.4286 * mg;
    EXPECT_DOUBLE_EQ(computeEndMembers(m, kIlmenite).uspA68, secondFormula);
    // Just below it, the first.
    m[Al] = 0.9 * (mg + 0.4286 * mg);
    const double firstFormula =
        100 * 3 * (ti - 0.5 * (mg + mn)) / (fe3 + fe2 + ti - mg / 2 - mn / 2);
    EXPECT_DOUBLE_EQ(computeEndMembers(m, kIlmenite).uspA68, firstFormula);
    // Al = Mg = 0 also takes the second formula.
    const OxideValues noAlMg = cations({{Ti, ti}, {Fe2, fe2}, {Fe3, fe3}, {Mn, mn}});
    EXPECT_DOUBLE_EQ(computeEndMembers(noAlMg, kIlmenite).uspA68,
                     100 * 3 * (ti - mn / 2) / (fe3 + fe2 + ti - mn / 2));
}

TEST(EndMembers, NoFerricIronMakesPureEndMembers) {
    const OxideValues m = cations({{Ti, 0.9}, {Fe2, 1.9}, {Al, 0.2}});
    const OxideValues i = cations({{Ti, 1.0}, {Fe2, 1.0}});
    const EndMembers e = computeEndMembers(m, i);
    EXPECT_DOUBLE_EQ(e.xUsp, 1.0);
    EXPECT_DOUBLE_EQ(e.xUspPrime, 1.0);
    EXPECT_DOUBLE_EQ(e.ilmS83, 100.0);
    EXPECT_DOUBLE_EQ(e.xIlm, 1.0);
    EXPECT_DOUBLE_EQ(e.xIlmPrime, 1.0);
}

TEST(EndMembers, IlmeniteWithoutTitaniumHasNoIlmeniteComponent) {
    const OxideValues i = cations({{Fe2, 0.5}, {Fe3, 1.5}});
    const EndMembers e = computeEndMembers(cations({{Ti, 0.3}, {Fe2, 1.3}, {Fe3, 1.4}}), i);
    EXPECT_EQ(e.ilmS83, 0.0);
}

TEST(EndMembers, FailedStepsAreMissingNotStale) {
    // A negative Fe2+ x Ti product has no square root; a zero denominator has no quotient.
    const OxideValues i = cations({{Fe2, -0.1}, {Ti, 1.0}, {Fe3, 0.2}});
    const OxideValues m = cations({{Ti, 0.3}});
    const EndMembers e = computeEndMembers(m, i);
    EXPECT_TRUE(isMissing(e.ilmS83));
    EXPECT_TRUE(isMissing(e.xIlm));
    EXPECT_TRUE(isMissing(e.xHem));
    EXPECT_TRUE(isMissing(e.uspS83));  // no divalent cations in the magnetite
    EXPECT_FALSE(isMissing(e.uspC67));
    EXPECT_EQ(e.schemeXusp(FractionScheme::C67), e.uspC67 / 100);
}
