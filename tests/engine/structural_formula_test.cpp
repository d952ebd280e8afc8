#include "structural_formula.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

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
    // S = 3.49551 cations per 4 oxygens with all iron as Fe2+; F = 8 (1 - 3/S) = 1.13405 Fe3+
    // per 3 cations, the charge deficit of the Stormer (1983) worked example.
    const double mTi = 15 / 79.8658;
    const double mFe = 80 / 71.8444;
    const double s = 4 * (mTi + mFe) / (2 * mTi + mFe);
    EXPECT_NEAR(s, 3.49551, 5e-6);
    EXPECT_NEAR(f.cations[Fe3], 8 * (1 - 3 / s), 1e-12);
    EXPECT_NEAR(f.cations[Ti], 0.43298, 5e-6);
    EXPECT_NEAR(f.cations[Fe3], 1.13405, 5e-6);
    EXPECT_NEAR(f.cations[Fe2], 1.43298, 5e-6);
    EXPECT_NEAR(f.cationTotal, 3.0, 1e-14);
    EXPECT_NEAR(f.feoCalculated + f.fe2o3Calculated / 1.1113, 80.0, 1e-10);
}

// Stoichiometric end members: all iron of Fe3O4 as FeO gives Fe3+ = 2; FeTiO3 and Fe2TiO4
// have no ferric iron; all iron of Fe2O3 as FeO, on the ilmenite basis, is all ferric.
TEST(Droop1987, EndMembersGetTheirStoichiometricFerricIron) {
    const double mwFeO = 71.8444;
    const double mwTiO2 = 79.8658;
    MineralAnalysis magnetite;
    magnetite.wt[FeO] = 93.0961;  // Fe3O4, total iron as FeO
    const StructuralFormula mt = recalculatePair(pairOf(magnetite), FerricScheme::Droop).magnetite;
    EXPECT_NEAR(mt.cations[Fe3], 2.0, 1e-12);
    EXPECT_NEAR(mt.cations[Fe2], 1.0, 1e-12);
    EXPECT_NEAR(mt.feoCalculated, 93.0961 / 3, 1e-10);
    EXPECT_NEAR(mt.fe2o3Calculated, 1.1113 * 93.0961 * 2 / 3, 1e-10);

    MineralAnalysis ulvospinel;
    ulvospinel.wt[FeO] = 100 * 2 * mwFeO / (2 * mwFeO + mwTiO2);
    ulvospinel.wt[TiO2] = 100 * mwTiO2 / (2 * mwFeO + mwTiO2);
    MineralAnalysis ilmenite;
    ilmenite.wt[FeO] = 100 * mwFeO / (mwFeO + mwTiO2);
    ilmenite.wt[TiO2] = 100 * mwTiO2 / (mwFeO + mwTiO2);
    const PairFormulae f = recalculatePair(pairOf(ulvospinel, ilmenite), FerricScheme::Droop);
    EXPECT_NEAR(f.magnetite.cations[Fe3], 0.0, 1e-12);
    EXPECT_NEAR(f.magnetite.cations[Fe2], 2.0, 1e-12);
    EXPECT_NEAR(f.magnetite.cations[Ti], 1.0, 1e-12);
    EXPECT_NEAR(f.ilmenite.cations[Fe3], 0.0, 1e-12);
    EXPECT_NEAR(f.ilmenite.cations[Fe2], 1.0, 1e-12);
    EXPECT_NEAR(f.ilmenite.cations[Ti], 1.0, 1e-12);

    MineralAnalysis hematite;
    hematite.wt[FeO] = 89.98;
    const StructuralFormula hem =
        recalculatePair(pairOf(magnetite, hematite), FerricScheme::Droop).ilmenite;
    EXPECT_NEAR(hem.cations[Fe3], 2.0, 1e-12);
    EXPECT_NEAR(hem.cations[Fe2], 0.0, 1e-12);
}

// Without Na2O and K2O (which the Stormer scheme counts as one cation per molecule), Droop's
// F = 2X (1 - T/S) is the Stormer charge deficit Z - Q of the same formula: both schemes give
// the same cations and the same recalculated FeO and Fe2O3.
TEST(Droop1987, EqualsTheStormerChargeBalanceWithoutAlkalis) {
    const std::vector<std::array<double, kOxideCount>> magnetites = {
        // SiO2 TiO2 Al2O3 V2O3 Cr2O3 Nb2O3 Fe2O3 FeO MnO NiO ZnO MgO CaO Na2O K2O BaO
        {0.12, 8.45, 2.10, 0.48, 0.09, 0, 0, 80.52, 0.44, 0.02, 0.11, 1.45, 0.03, 0, 0, 0},
        {0.08, 12.9, 1.45, 0.62, 0.04, 0.01, 0, 78.2, 0.51, 0, 0.08, 1.21, 0.05, 0, 0, 0.02},
        {0.05, 4.1, 3.9, 0.35, 1.8, 0, 0, 82.4, 0.3, 0.05, 0.2, 2.6, 0.01, 0, 0, 0},
        {0.2, 19.8, 1.1, 0.2, 0.02, 0, 0, 72.9, 0.9, 0, 0.1, 0.6, 0.1, 0, 0, 0},
    };
    const std::vector<std::array<double, kOxideCount>> ilmenites = {
        {0.04, 45.10, 0.21, 0.31, 0.05, 0, 0, 47.90, 0.62, 0, 0.03, 2.48, 0.02, 0, 0, 0},
        {0.02, 40.3, 0.18, 0.25, 0.02, 0, 0, 52.1, 0.48, 0, 0, 1.85, 0.03, 0, 0, 0},
        {0.1, 33.8, 0.3, 0.4, 0.1, 0, 0, 60.2, 0.35, 0, 0, 1.9, 0.05, 0, 0, 0},
        {0.03, 49.5, 0.05, 0.1, 0, 0, 0, 45.6, 1.6, 0, 0.02, 3.1, 0.04, 0, 0, 0},
    };
    for (std::size_t k = 0; k < magnetites.size(); ++k) {
        MineralAnalysis magnetite;
        MineralAnalysis ilmenite;
        magnetite.wt = magnetites[k];
        ilmenite.wt = ilmenites[k];
        const PairFormulae droop =
            recalculatePair(pairOf(magnetite, ilmenite), FerricScheme::Droop);
        const PairFormulae stormer =
            recalculatePair(pairOf(magnetite, ilmenite), FerricScheme::Stormer);
        for (const auto& [d, s] : {std::pair{droop.magnetite, stormer.magnetite},
                                   std::pair{droop.ilmenite, stormer.ilmenite}}) {
            ASSERT_GT(s.cations[Fe3], 0.0) << "analysis " << k;
            ASSERT_GT(s.cations[Fe2], 0.0) << "analysis " << k;
            for (int c = 0; c < kOxideCount; ++c) {
                EXPECT_NEAR(d.cations[c], s.cations[c], 1e-12)
                    << "analysis " << k << " cation " << c;
            }
            EXPECT_NEAR(d.feoCalculated, s.feoCalculated, 1e-10) << "analysis " << k;
            EXPECT_NEAR(d.fe2o3Calculated, s.fe2o3Calculated, 1e-10) << "analysis " << k;
        }
    }
}

TEST(Droop1987, EstimateIsHeldBetweenNoFerricIronAndAllOfTheIron) {
    // Far too much Ti for the oxygens: fewer than 3 cations per 4 oxygens, so 1 - T/S < 0.
    MineralAnalysis m;
    m.wt[TiO2] = 50;
    m.wt[FeO] = 10;
    const StructuralFormula f = recalculatePair(pairOf(m), FerricScheme::Droop).magnetite;
    const double ti = 50 / 79.8658;
    const double fe = 10 / 71.8444;
    ASSERT_LT(8 * (1 - 3 / (4 * (ti + fe) / (2 * ti + fe))), 0);
    EXPECT_EQ(f.cations[Fe3], 0.0);
    EXPECT_EQ(f.fe2o3Calculated, 0.0);
    EXPECT_NEAR(f.feoCalculated, 10.0, 1e-12);
    // Fe2+ is all the iron of the normalised formula, neither raised nor lowered.
    EXPECT_NEAR(f.cations[Fe2], fe * 3 / (ti + fe), 1e-12);
    EXPECT_NEAR(f.cationTotal, 3.0, 1e-14);

    // Too many cations for the iron to carry the deficit: all of the iron is ferric, no more.
    MineralAnalysis spinel;
    spinel.wt[MgO] = 30;
    spinel.wt[FeO] = 3;
    const StructuralFormula g = recalculatePair(pairOf(spinel), FerricScheme::Droop).magnetite;
    const double mg = 30 / 40.3044;
    const double iron = (3 / 71.8444) * 3 / (mg + 3 / 71.8444);
    EXPECT_NEAR(g.cations[Fe3], iron, 1e-12);
    EXPECT_EQ(g.cations[Fe2], 0.0);
    EXPECT_NEAR(g.cationTotal, 3.0, 1e-14);
    EXPECT_NEAR(g.fe2o3Calculated, 1.1113 * 3, 1e-12);
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
