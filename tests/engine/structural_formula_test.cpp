#include "structural_formula.h"

#include <gtest/gtest.h>

using namespace kelvorad;

namespace {
// The worked magnetite: FeO 80 and TiO2 15 wt%, every other oxide 0.
MineralAnalysis feo80TiO2_15() {
    MineralAnalysis m;
    m.wt[FeO] = 80;
    m.wt[TiO2] = 15;
    return m;
}

AnalysisPair pairOf(const MineralAnalysis& magnetite, const MineralAnalysis& ilmenite = {}) {
    return {magnetite, ilmenite};
}

MineralAnalysis typicalIlmenite() {
    MineralAnalysis i;
    i.wt[TiO2] = 45.1;
    i.wt[FeO] = 47.9;
    i.wt[MnO] = 0.62;
    i.wt[MgO] = 2.48;
    i.wt[Al2O3] = 0.21;
    return i;
}
}  // namespace

TEST(Stormer1983, WorkedMagnetite) {
    const StructuralFormula f =
        recalculatePair(pairOf(feo80TiO2_15()), FerricScheme::Stormer).magnetite;
    EXPECT_NEAR(f.cations[Ti], 0.43298, 5e-6);
    EXPECT_NEAR(f.cations[Fe3], 1.13405, 5e-6);  // 8 - Q, Q = 6.86595
    EXPECT_NEAR(f.cations[Fe2], 1.43298, 5e-6);
    EXPECT_NEAR(f.cations[Fe2] - f.cations[Ti], 1.0, 1e-12);
    EXPECT_NEAR(f.cations[Fe3] + f.cations[Fe2], 2.56702, 5e-6);
    EXPECT_NEAR(f.feoCalculated, 44.658, 5e-4);
    EXPECT_NEAR(f.fe2o3Calculated, 39.276, 5e-4);
    EXPECT_NEAR(f.feoCalculated + f.fe2o3Calculated / 1.1113, 80.0, 1e-10);
    EXPECT_NEAR(f.cationTotal, 3.0, 1e-12);
    EXPECT_DOUBLE_EQ(f.oxideTotal, 95.0);
}

TEST(Stormer1983, AlkaliOxidesCountOneCationPerMolecule) {
    MineralAnalysis m = feo80TiO2_15();
    m.wt[Na2O] = 1.0;
    m.wt[K2O] = 0.5;
    const StructuralFormula stormer = recalculatePair(pairOf(m), FerricScheme::Stormer).magnetite;
    const double molNa = 1.0 / 61.97894;
    const double molK = 0.5 / 94.196;
    const double molSum = 80 / 71.8444 + 15 / 79.8658 + molNa + molK;
    EXPECT_NEAR(stormer.cations[Na], 3 * molNa / molSum, 1e-14);
    EXPECT_NEAR(stormer.cations[K] / stormer.cations[Na], molK / molNa, 1e-12);
    // Droop (1987) counts two alkali cations per molecule.
    const StructuralFormula droop = recalculatePair(pairOf(m), FerricScheme::Droop).magnetite;
    const double ratioTiNa = droop.cations[Ti] / droop.cations[Na];
    EXPECT_NEAR(ratioTiNa, (15 / 79.8658) / (2 * molNa), 1e-12);
}

TEST(Droop1987, WorkedMagnetite) {
    const StructuralFormula f =
        recalculatePair(pairOf(feo80TiO2_15()), FerricScheme::Droop).magnetite;
    EXPECT_NEAR(f.cations[Ti], 0.43298, 5e-6);
    EXPECT_NEAR(f.cations[Fe3], 1.10299, 5e-6);
    EXPECT_NEAR(f.cations[Fe2], 1.46403, 5e-6);
    EXPECT_NEAR(f.cationTotal, 3.0, 1e-14);
    // Before normalisation: S = 2.62163 on 3 oxygens, Fe3+ = 6 (1 - 2/S) 0.6775 = 0.96388.
    const double s = 3.0 / (2 * 15 / 79.8658 + 80 / 71.8444) * (15 / 79.8658 + 80 / 71.8444);
    EXPECT_NEAR(s, 2.62163, 5e-6);
    EXPECT_NEAR(f.cations[Fe3] * s / 3, 6 * (1 - 2 / s) * 0.6775, 1e-12);
    EXPECT_NEAR(f.feoCalculated + f.fe2o3Calculated / 1.1113, 80.0, 1e-10);
}

TEST(Droop1987, NegativeEstimateIsZeroAndDoesNotReduceFerrousIron) {
    // Far too much Ti for the oxygens: fewer than 2 cations per 3 oxygens, so 1 - 2/S < 0.
    MineralAnalysis m;
    m.wt[TiO2] = 50;
    m.wt[FeO] = 10;
    const StructuralFormula f = recalculatePair(pairOf(m), FerricScheme::Droop).magnetite;
    EXPECT_EQ(f.cations[Fe3], 0.0);
    EXPECT_EQ(f.fe2o3Calculated, 0.0);
    // Fe2+ keeps the value the estimate left it (raised by the negative Fe3+), then normalised.
    const double o = 2 * 50 / 79.8658 + 10 / 71.8444;
    const double f3 = 3 / o;
    const double ti = 2 * 50 / 79.8658 * f3 / 2;
    const double fe = 10 / 71.8444 * f3;
    const double fe3 = 6 * (1 - 2 / (ti + fe)) * 0.6775;
    ASSERT_LT(fe3, 0);
    EXPECT_NEAR(f.cations[Fe2], (fe - fe3) * 3 / (ti + fe - fe3), 1e-12);
    EXPECT_NEAR(f.cationTotal, 3.0, 1e-14);
}

TEST(Carmichael1967, MagnetiteWithOnlyFeOAndTiO2) {
    const StructuralFormula f =
        recalculatePair(pairOf(feo80TiO2_15()), FerricScheme::Carmichael).magnetite;
    const double mFeO = 80 / 71.8444;
    const double mTiO2 = 15 / 79.8658;
    EXPECT_NEAR(f.feoCalculated, 71.8444 * (mFeO + 4 * mTiO2) / 3, 1e-12);
    EXPECT_NEAR(f.fe2o3Calculated, (80 - f.feoCalculated) * 159.6882 / 2 / 71.8444, 1e-12);
    EXPECT_NEAR(f.cationTotal, 3.0, 1e-14);
    // Fe3+/Fe2+ follow the recalculated oxides.
    EXPECT_NEAR(f.cations[Fe3] / f.cations[Fe2],
                (2 * f.fe2o3Calculated / 159.6882) / (f.feoCalculated / 71.8444), 1e-12);
}

TEST(Carmichael1967, IlmeniteEstimateAndTwoCationTotal) {
    const MineralAnalysis ilmenite = typicalIlmenite();
    const StructuralFormula f =
        recalculatePair(pairOf(feo80TiO2_15(), ilmenite), FerricScheme::Carmichael).ilmenite;
    const double m = 45.1 / 79.8658 - 0.62 / 70.937449 - 2.48 / 40.3044;
    EXPECT_NEAR(f.feoCalculated, 71.8444 * m, 1e-12);
    EXPECT_NEAR(f.cationTotal, 2.0, 1e-14);
}

TEST(FerricSchemes, CationTotalsAreThreeAndTwoAfterDroopAndCarmichael) {
    for (FerricScheme scheme : {FerricScheme::Droop, FerricScheme::Carmichael}) {
        MineralAnalysis m = feo80TiO2_15();
        m.wt[Al2O3] = 2.1;
        m.wt[MgO] = 1.6;
        m.wt[V2O3] = 0.5;
        const PairFormulae f = recalculatePair(pairOf(m, typicalIlmenite()), scheme);
        EXPECT_NEAR(f.magnetite.cationTotal, 3.0, 1e-14);
        EXPECT_NEAR(f.ilmenite.cationTotal, 2.0, 1e-14);
    }
}

TEST(FerricSchemes, BothIronOxidesEnteredMeansNoEstimate) {
    MineralAnalysis m;
    m.wt[TiO2] = 10;
    m.wt[Fe2O3] = 40;
    m.wt[FeO] = 45;
    for (FerricScheme scheme :
         {FerricScheme::Stormer, FerricScheme::Droop, FerricScheme::Carmichael}) {
        const StructuralFormula f = recalculatePair(pairOf(m), scheme).magnetite;
        EXPECT_EQ(f.fe2o3Calculated, 0.0);
        EXPECT_EQ(f.feoCalculated, 0.0);
        // Fe3+/Fe2+ from the entered oxides: two cations per Fe2O3, one per FeO.
        EXPECT_NEAR(f.cations[Fe3] / f.cations[Fe2], (2 * 40 / 159.6882) / (45 / 71.8444), 1e-12);
    }
}

TEST(FerricSchemes, EmptyAnalysisLeavesEverythingMissing) {
    const PairFormulae f = recalculatePair(AnalysisPair{}, FerricScheme::Stormer);
    EXPECT_TRUE(isMissing(f.magnetite.cations[Ti]));
    EXPECT_TRUE(isMissing(f.magnetite.cationTotal));
    EXPECT_TRUE(isMissing(f.magnetite.oxygenBasisFactor));
    EXPECT_EQ(f.magnetite.oxideTotal, 0.0);
    for (FerricScheme scheme : {FerricScheme::Droop, FerricScheme::Carmichael}) {
        EXPECT_TRUE(isMissing(recalculatePair(AnalysisPair{}, scheme).ilmenite.cations[Fe2]));
    }
}

TEST(OxygenBasisFactor, UsesRecalculatedIronWhenEstimated) {
    const StructuralFormula f =
        recalculatePair(pairOf(feo80TiO2_15()), FerricScheme::Stormer).magnetite;
    const double oxygens =
        2 * 15 / 79.8658 + 3 * f.fe2o3Calculated / 159.6882 + f.feoCalculated / 71.8444;
    EXPECT_NEAR(f.oxygenBasisFactor, 4 / oxygens, 1e-14);
    // Ilmenite on 3 oxygens, with its entered FeO and Fe2O3 when both are given.
    MineralAnalysis ilmenite = typicalIlmenite();
    ilmenite.wt[Fe2O3] = 5;
    const StructuralFormula i =
        recalculatePair(pairOf(feo80TiO2_15(), ilmenite), FerricScheme::Stormer).ilmenite;
    const double ilmeniteOxygens = 2 * 45.1 / 79.8658 + 3 * 0.21 / 101.961276 + 3 * 5 / 159.6882 +
                                   47.9 / 71.8444 + 0.62 / 70.937449 + 2.48 / 40.3044;
    EXPECT_NEAR(i.oxygenBasisFactor, 3 / ilmeniteOxygens, 1e-14);
}

TEST(OxygenBasisFactor, MissingWhenTheMineralHasNoFeO) {
    MineralAnalysis m;
    m.wt[TiO2] = 15;
    m.wt[Fe2O3] = 80;
    const StructuralFormula f = recalculatePair(pairOf(m), FerricScheme::Stormer).magnetite;
    EXPECT_TRUE(isMissing(f.oxygenBasisFactor));
    EXPECT_FALSE(isMissing(f.cations[Fe3]));
}
