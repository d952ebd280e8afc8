// The projection and both solution models of the Ghiorso and Evans (2008) model against the
// published step-by-step values of its reference calculation (website example pair, 1000 K,
// 2000 bar), and their behaviour with absent components.

#include <gtest/gtest.h>

#include <cmath>

#include "oxide_projection.h"
#include "rhombohedral_oxide.h"
#include "spinel_oxide.h"
#include "test_pairs.h"

namespace kelvorad::ge08 {
namespace {

using namespace check_pairs;

// The website pair's end-member fractions at full precision (the published values are rounded
// to 8 decimals, which moves the potentials of minor members by more than their last digit).
RhombohedralComposition websiteIlmeniteFractions() {
    const RhombohedralFractions f = projectRhombohedral(websiteIlmenite());
    return {f.geikielite, f.hematite, f.ilmenite, f.pyrophanite, f.corundum};
}

SpinelComposition websiteMagnetiteFractions() {
    const SpinelFractions f = projectSpinel(websiteMagnetite());
    return {f.chromite, f.hercynite, f.magnetite, f.spinel, f.ulvospinel, f.hasAluminium};
}

TEST(OxideProjection, WebsiteExampleCationsAndFractions) {
    const ModelCations m = modelCations(websiteMagnetite());
    EXPECT_NEAR(m.ti, 0.05444387, 6e-9);
    EXPECT_NEAR(m.al, 0.03805366, 6e-9);
    EXPECT_NEAR(m.fe, 1.20173036, 6e-9);
    EXPECT_NEAR(m.cr, 0.00236857, 6e-9);
    EXPECT_NEAR(m.mn, 0.00620265, 6e-9);
    EXPECT_NEAR(m.mg, 0.02977342, 6e-9);
    const ModelCations i = modelCations(websiteIlmenite());
    EXPECT_NEAR(i.ti, 0.35957987, 6e-9);
    EXPECT_NEAR(i.al, 0.00686535, 6e-9);
    EXPECT_NEAR(i.fe, 0.91834803, 6e-9);
    EXPECT_NEAR(i.mn, 0.0032423, 6e-9);
    EXPECT_NEAR(i.mg, 0.02530741, 6e-9);

    const SpinelFractions sp = projectSpinel(websiteMagnetite());
    EXPECT_TRUE(sp.feasible);
    EXPECT_NEAR(sp.chromite, 0.00266617, 6e-9);
    EXPECT_NEAR(sp.hercynite, -0.02419364, 6e-9);  // negative hercynite is allowed
    EXPECT_NEAR(sp.magnetite, 0.83193038, 6e-9);
    EXPECT_NEAR(sp.spinel, 0.06702845, 6e-9);
    EXPECT_NEAR(sp.ulvospinel, 0.12256865, 6e-9);
    const RhombohedralFractions rh = projectRhombohedral(websiteIlmenite());
    EXPECT_TRUE(rh.feasible);
    EXPECT_NEAR(rh.geikielite, 0.03853892, 6e-9);
    EXPECT_NEAR(rh.hematite, 0.44719307, 6e-9);
    EXPECT_NEAR(rh.ilmenite, 0.50410315, 6e-9);
    EXPECT_NEAR(rh.pyrophanite, 0.00493747, 6e-9);
    EXPECT_NEAR(rh.corundum, 0.00522739, 6e-9);
}

TEST(OxideProjection, OnlyTheModelsOxidesAndTotalIronCount) {
    OxideAnalysis withExtras = websiteMagnetite();
    withExtras[SiO2] = 0.3, withExtras[V2O3] = 0.55, withExtras[Nb2O3] = 0.1, withExtras[NiO] = 0.2;
    withExtras[ZnO] = 0.09, withExtras[CaO] = 0.1, withExtras[13] = 0.05, withExtras[14] = 0.02;
    withExtras[15] = 0.01;
    // 10 wt% of the iron given as Fe2O3 with the same moles of Fe.
    withExtras[Fe2O3] = 10.0;
    withExtras[FeO] -= 10.0 * 2.0 * 71.8464 / 159.6922;
    const SpinelFractions a = projectSpinel(websiteMagnetite()), b = projectSpinel(withExtras);
    EXPECT_NEAR(b.magnetite, a.magnetite, 1e-12);
    EXPECT_NEAR(b.ulvospinel, a.ulvospinel, 1e-12);
    EXPECT_NEAR(b.hercynite, a.hercynite, 1e-12);
}

TEST(OxideProjection, RejectsWhatTheModelCannotRepresent) {
    OxideAnalysis ilmenite{};
    ilmenite[TiO2] = 55.0, ilmenite[FeO] = 45.0;  // more Ti than FeTiO3: Fe3+ < 0
    const RhombohedralFractions rh = projectRhombohedral(ilmenite);
    EXPECT_LT(rh.ferric, 0.0);
    EXPECT_FALSE(rh.feasible);

    OxideAnalysis magnetite{};
    magnetite[TiO2] = 40.0, magnetite[FeO] = 60.0;  // more than 3 cations per 4 O
    EXPECT_TRUE(projectSpinel(magnetite).cationExcess);

    OxideAnalysis bad = websiteMagnetite();
    bad[MgO] = -1.0;
    EXPECT_FALSE(projectSpinel(bad).feasible);
    EXPECT_TRUE(std::isnan(projectSpinel(bad).magnetite));
    bad[MgO] = NAN;
    EXPECT_FALSE(projectSpinel(bad).feasible);
    EXPECT_FALSE(projectRhombohedral(OxideAnalysis{}).feasible);  // an empty analysis

    OxideAnalysis noAl = websiteMagnetite();
    noAl[Al2O3] = 0.0;
    const SpinelFractions sp = projectSpinel(noAl);
    EXPECT_FALSE(sp.hasAluminium);
    EXPECT_EQ(sp.hercynite, -sp.spinel);  // exactly: no Al left over
    EXPECT_TRUE(sp.feasible);
}

TEST(RhombohedralOxide, PureEndMemberReferences) {
    using M = RhombohedralMember;
    EXPECT_NEAR(rhombohedralPureGibbs(M::ilmenite, 1000.0, 2000.0), -119.2976, 6e-5);
    EXPECT_NEAR(rhombohedralPureGibbs(M::geikielite, 1000.0, 2000.0), -119.2976, 6e-5);
    EXPECT_NEAR(rhombohedralPureGibbs(M::hematite, 1000.0, 2000.0), -841.6392, 6e-5);
    EXPECT_NEAR(rhombohedralPureGibbs(M::corundum, 1000.0, 2000.0), -841.6392, 6e-5);
    EXPECT_NEAR(rhombohedralPureGibbs(M::pyrophanite, 1273.15, 1.0), -492.0211, 6e-5);
    EXPECT_NEAR(rhombohedralPureGibbs(M::hematite, 1273.15, 1.0), -1071.5329, 6e-5);
    // Far above the order-disorder transition the pure phase is disordered: dH - 2 RT ln 2.
    const double dH = 17477.0 + 0.010758 * 1999.0;
    EXPECT_NEAR(rhombohedralPureGibbs(M::ilmenite, 2500.0, 2000.0),
                dH - 2.0 * 8.3143 * 2500.0 * std::log(2.0), 1e-6);
}

TEST(RhombohedralOxide, WebsiteIlmeniteOrderingAndPotentials) {
    const RhombohedralState s =
        RhombohedralOxide(websiteIlmeniteFractions()).equilibrate(1000.0, 2000.0);
    ASSERT_TRUE(s.valid);
    EXPECT_NEAR(s.ordering[0], 0.2285614025, 6e-11);
    EXPECT_NEAR(s.ordering[1], 0.0249868494, 6e-11);
    EXPECT_NEAR(s.ordering[2], -0.0005730926, 6e-11);  // pyrophanite orders the other way
    EXPECT_NEAR(s.siteFraction[0], 0.36633228, 6e-9);  // A-site Fe2+
    EXPECT_NEAR(s.siteFraction[1], 0.03176289, 6e-9);  // Mg
    EXPECT_NEAR(s.siteFraction[2], 0.00218219, 6e-9);  // Mn
    EXPECT_NEAR(s.siteFraction[3], 0.14730219, 6e-9);  // Ti
    using M = RhombohedralMember;
    EXPECT_NEAR(s.chemicalPotential(M::geikielite), -20651.8595, 6e-5);
    EXPECT_NEAR(s.chemicalPotential(M::hematite), -11279.5919, 6e-5);
    EXPECT_NEAR(s.chemicalPotential(M::ilmenite), -3027.5308, 6e-5);
    EXPECT_NEAR(s.chemicalPotential(M::pyrophanite), -50128.0981, 6e-5);
    EXPECT_NEAR(s.chemicalPotential(M::corundum), -47310.0975, 6e-5);
}

// Near its first-order order-disorder transition an ilmenite has an ordered and a disordered
// (s = 0) minimum; the equilibrium is the lower one on both sides, so G(T) has no jumps up.
TEST(RhombohedralOxide, LowestMinimumAcrossTheOrderDisorderTransition) {
    Analysis ilmenite{};
    ilmenite[TiO2] = 49.19, ilmenite[Al2O3] = 0.03, ilmenite[FeO] = 49.05, ilmenite[MnO] = 1.18;
    ilmenite[MgO] = 0.05;
    const RhombohedralFractions f = projectRhombohedral(ilmenite);
    const RhombohedralOxide phase(
        {f.geikielite, f.hematite, f.ilmenite, f.pyrophanite, f.corundum});
    const double p = 2000.0;
    const Vec3 ordered{0.33, 0.0, 0.0};
    // The transition: where the ordered minimum's G meets that of s = 0.
    const auto orderedIsLower = [&](double t) {
        const RhombohedralState o = phase.equilibrateFrom(t, p, ordered);
        return std::abs(o.ordering[0]) > 0.1 && o.gibbs < phase.gibbs(t, p, Vec3{});
    };
    double lo = 1600.0, hi = 1650.0;
    ASSERT_TRUE(orderedIsLower(lo));
    ASSERT_FALSE(orderedIsLower(hi));
    for (int i = 0; i < 60; ++i) (orderedIsLower(0.5 * (lo + hi)) ? lo : hi) = 0.5 * (lo + hi);
    for (double t = lo - 0.05; t < lo + 0.05; t += 0.001) {
        SCOPED_TRACE(t);
        const RhombohedralState s = phase.equilibrate(t, p);
        ASSERT_TRUE(s.valid);
        const double lowest =
            std::min(phase.equilibrateFrom(t, p, ordered).gibbs, phase.gibbs(t, p, Vec3{}));
        EXPECT_NEAR(s.gibbs, lowest, 1e-9);
        EXPECT_EQ(std::abs(s.ordering[0]) > 0.1, t < lo);
    }
    // The ordering gap, G(ordered) - G(disordered), changes sign there, from either state.
    EXPECT_LT(phase.orderingGap(phase.equilibrate(lo - 0.01, p), ordered), 0.0);
    EXPECT_GT(phase.orderingGap(phase.equilibrate(lo + 0.01, p), ordered), 0.0);
    EXPECT_NEAR(phase.orderingGap(phase.equilibrate(lo, p), ordered), 0.0, 1e-6);
}

TEST(SpinelOxide, PureEndMemberReferences) {
    using M = SpinelMember;
    EXPECT_NEAR(spinelPureGibbs(M::chromite, 1000.0), -125520.0000, 6e-5);
    EXPECT_NEAR(spinelPureGibbs(M::hercynite, 1000.0), -37285.2317, 6e-5);
    EXPECT_NEAR(spinelPureGibbs(M::magnetite, 1000.0), -53703.4246, 6e-5);
    EXPECT_NEAR(spinelPureGibbs(M::spinel, 1000.0), -21404.2851, 6e-5);
    EXPECT_NEAR(spinelPureGibbs(M::ulvospinel, 1000.0), -98553.2672, 6e-5);
}

TEST(SpinelOxide, WebsiteMagnetiteOrderingAndPotentials) {
    const SpinelState s = SpinelOxide(websiteMagnetiteFractions()).equilibrate(1000.0, 2000.0);
    ASSERT_TRUE(s.valid);
    EXPECT_NEAR(s.ordering[0], -0.0302084442, 6e-11);
    EXPECT_NEAR(s.ordering[1], 0.0423252082, 6e-11);
    EXPECT_NEAR(s.ordering[2], -0.0697627466, 6e-11);
    EXPECT_NEAR(s.siteFraction[0], 0.01841000, 6e-9);  // tetrahedral Mg
    EXPECT_NEAR(s.siteFraction[1], 0.07938727, 6e-9);  // Fe2+
    EXPECT_NEAR(s.siteFraction[2], 0.00050960, 6e-9);  // Al
    EXPECT_NEAR(s.siteFraction[3], 0.90169312, 6e-9);  // Fe3+
    using M = SpinelMember;
    EXPECT_NEAR(s.chemicalPotential(M::chromite), -80865.7151, 6e-5);
    EXPECT_NEAR(s.chemicalPotential(M::hercynite), -19700.5958, 6e-5);
    EXPECT_NEAR(s.chemicalPotential(M::magnetite), -2585.4193, 6e-5);
    EXPECT_NEAR(s.chemicalPotential(M::spinel), -18346.4906, 6e-5);
    EXPECT_NEAR(s.chemicalPotential(M::ulvospinel), -19358.2469, 6e-5);
}

// Gibbs-Duhem: sum_i X_i (mu_i - mu°_i) = G - sum_i X_i G_pure,i, over the present members.
// This ties the analytic composition derivatives to G itself, including compositions with
// absent components.
TEST(SolutionModels, PotentialsSumToTheGibbsEnergy) {
    const RhombohedralComposition rhombs[] = {
        websiteIlmeniteFractions(),
        {0.0, 0.054422, 0.930530, 0.015048, 0.0},       // no Mg, no Al
        {0.026109, 0.054422, 0.903672, 0.0, 0.015797},  // no Mn
    };
    for (const RhombohedralComposition& c : rhombs) {
        for (double t : {700.0, 1100.0, 1600.0}) {
            const RhombohedralState s = RhombohedralOxide(c).equilibrate(t, 2000.0);
            ASSERT_TRUE(s.valid);
            // The dependent member's weight as the model has it: 1 - the others.
            const double x[5] = {c.geikielite,
                                 1.0 - c.geikielite - c.ilmenite - c.pyrophanite - c.corundum,
                                 c.ilmenite, c.pyrophanite, c.corundum};
            double sum = 0.0, reference = 0.0;
            for (int m = 0; m < 5; ++m) {
                if (x[m] == 0.0) continue;
                const auto member = static_cast<RhombohedralMember>(m);
                sum += x[m] * s.chemicalPotential(member);
                reference += x[m] * rhombohedralPureGibbs(member, t, 2000.0);
            }
            EXPECT_NEAR(sum, s.gibbs - reference, 1e-6) << t;
        }
    }
    const SpinelComposition spinels[] = {
        websiteMagnetiteFractions(),
        {0.0, 0.0, 0.35, 0.0, 0.65, false},  // magnetite-ulvospinel only (no Al, Mg, Cr)
        {0.0003, -0.0489, 0.2989, 0.0489, 0.7008, false},  // no Al: hercynite = -spinel
    };
    for (const SpinelComposition& c : spinels) {
        for (double t : {700.0, 1100.0, 1600.0}) {
            const SpinelState s = SpinelOxide(c).equilibrate(t, 2000.0);
            ASSERT_TRUE(s.valid);
            const double x[5] = {c.chromite,
                                 1.0 - c.chromite - c.magnetite - c.spinel - c.ulvospinel,
                                 c.magnetite, c.spinel, c.ulvospinel};
            double sum = 0.0, reference = 0.0;
            for (int m = 0; m < 5; ++m) {
                if (x[m] == 0.0) continue;
                const auto member = static_cast<SpinelMember>(m);
                if (!c.hasAluminium &&
                    (member == SpinelMember::hercynite || member == SpinelMember::spinel))
                    continue;  // both -infinity; their pair is tested below
                sum += x[m] * s.chemicalPotential(member);
                reference += x[m] * spinelPureGibbs(member, t);
            }
            if (!c.hasAluminium && c.spinel != 0.0) {
                // X_herc = -X_spl, so their terms combine into X_spl (mu_spl - mu_herc).
                sum += c.spinel * s.reactionSum({0, -1, 0, 1, 0});
                reference += c.spinel * (spinelPureGibbs(SpinelMember::spinel, t) -
                                         spinelPureGibbs(SpinelMember::hercynite, t));
            }
            EXPECT_NEAR(sum, s.gibbs - reference, 1e-6) << t;
        }
    }
}

// An absent component: its site fractions are exactly 0 and its ordering variable pinned; an
// end-member that needs it has mu = -infinity, and a reaction in which its ln terms cancel is
// finite and the limit of trace amounts.
TEST(SolutionModels, AbsentComponentsCancelInReactions) {
    const SpinelComposition noAl{0.0003, -0.0489, 0.2989, 0.0489, 0.7008, false};
    const SpinelState s = SpinelOxide(noAl).equilibrate(1100.0, 2000.0);
    ASSERT_TRUE(s.valid);
    EXPECT_EQ(s.ordering[1], 0.0);      // s2 pinned
    EXPECT_EQ(s.siteFraction[2], 0.0);  // tetrahedral Al
    EXPECT_EQ(s.siteFraction[6], 0.0);  // octahedral Al
    EXPECT_EQ(s.chemicalPotential(SpinelMember::spinel), -INFINITY);
    EXPECT_EQ(s.chemicalPotential(SpinelMember::hercynite), -INFINITY);
    const double exchange = s.reactionSum({0, -1, 0, 1, 0});  // spl - herc
    ASSERT_TRUE(std::isfinite(exchange));
    // A trace of Al (hercynite 1e-9 above -spinel) gives nearly the same spl - herc.
    SpinelComposition trace = noAl;
    trace.hercynite += 1e-9;
    trace.magnetite -= 1e-9;
    trace.hasAluminium = true;
    const SpinelState t = SpinelOxide(trace).equilibrate(1100.0, 2000.0);
    ASSERT_TRUE(t.valid);
    EXPECT_NEAR(t.reactionSum({0, -1, 0, 1, 0}), exchange, 1e-2);
    // The Fe-Ti members do not need Al at all.
    EXPECT_NEAR(t.chemicalPotential(SpinelMember::ulvospinel),
                s.chemicalPotential(SpinelMember::ulvospinel), 1e-2);

    const RhombohedralComposition noMg{0.0, 0.054422, 0.930530, 0.015048, 0.0};
    const RhombohedralState r = RhombohedralOxide(noMg).equilibrate(1100.0, 2000.0);
    ASSERT_TRUE(r.valid);
    EXPECT_EQ(r.ordering[1], 0.0);
    EXPECT_EQ(r.chemicalPotential(RhombohedralMember::geikielite), -INFINITY);
    EXPECT_TRUE(std::isfinite(r.chemicalPotential(RhombohedralMember::ilmenite)));
}

// No Fe3+ in the spinel (X_mag = 0) pins s4; the Fe-Mg exchange members stay finite.
TEST(SolutionModels, SpinelWithoutFerricIron) {
    const SpinelComposition noFe3{0.0, 0.55, 0.0, 0.05, 0.40, true};
    const SpinelState s = SpinelOxide(noFe3).equilibrate(1100.0, 2000.0);
    ASSERT_TRUE(s.valid);
    EXPECT_EQ(s.ordering[2], 0.0);
    EXPECT_EQ(s.siteFraction[3], 0.0);
    EXPECT_EQ(s.chemicalPotential(SpinelMember::magnetite), -INFINITY);
    EXPECT_TRUE(std::isfinite(s.reactionSum({0, -1, 0, 1, 0})));
}

}  // namespace
}  // namespace kelvorad::ge08
