// Standard-state properties of the Ghiorso and Evans (2008) model against the published
// step-by-step values of its reference calculation at 1000 K and 2000 bar.

#include <gtest/gtest.h>

#include <cmath>

#include "berman_data.h"
#include "berman_standard_state.h"
#include "nno_buffer.h"
#include "oxide_pair.h"
#include "oxygen_gas.h"
#include "ulvospinel_correction.h"
#include "vinet_volume.h"

namespace kelvorad::ge08 {
namespace {

struct GibbsCase {
    EndMember member;
    double at2000;  // J, 1000 K and 2000 bar
    double at1;     // J, 1000 K and 1 bar (NaN where no value is published)
};

TEST(BermanStandardState, GibbsEnergiesAt1000K) {
    const GibbsCase cases[] = {
        {EndMember::magnetite, -1350215.2547, -1359359.5519},
        {EndMember::ulvospinel, -1747705.9892, -1757065.3072},
        {EndMember::hematite, -971708.4655, -977919.7336},
        {EndMember::ilmenite, -1393085.7835, -1399549.4651},
        {EndMember::geikielite, -1696994.0102, NAN},
        {EndMember::pyrophanite, -1508732.0681, NAN},
        {EndMember::corundum, -1752556.9914, NAN},  // with the +20 kJ of the rhombohedral phase
        {EndMember::spinel, -2450051.2676, NAN},
        {EndMember::hercynite, -2131742.0674, NAN},
        {EndMember::chromite, -1658486.8163, NAN},
        {EndMember::rutile, -1024482.8943, NAN},
    };
    for (const GibbsCase& c : cases) {
        SCOPED_TRACE(index(c.member));
        EXPECT_NEAR(bermanGibbs(c.member, 1000.0, 2000.0), c.at2000, 6e-5);
        if (!std::isnan(c.at1)) {
            EXPECT_NEAR(bermanGibbs(c.member, 1000.0, 1.0), c.at1, 6e-5);
        }
    }
}

struct VolumeCase {
    EndMember member;
    double berman, vinet;  // J, 1000 K and 2000 bar
};

TEST(VolumeIntegrals, BermanAndVinetAt1000KAnd2000Bar) {
    const VolumeCase cases[] = {
        {EndMember::magnetite, 9144.297164, 9106.926529},
        {EndMember::ulvospinel, 9359.318000, 9577.410155},
        {EndMember::hematite, 6211.268090, 6216.603734},
        {EndMember::ilmenite, 6463.681570, 6462.996499},
        {EndMember::geikielite, 6292.404203, 6291.738737},
        {EndMember::spinel, 8086.954585, 8071.707130},
        {EndMember::hercynite, 8145.921866, 8270.604450},
    };
    for (const VolumeCase& c : cases) {
        SCOPED_TRACE(index(c.member));
        EXPECT_NEAR(bermanVolumeIntegral(c.member, 1000.0, 2000.0), c.berman, 6e-7);
        EXPECT_NEAR(vinetVolumeIntegral(c.member, 1000.0, 2000.0), c.vinet, 6e-7);
        // Both integrals start at 1 bar.
        EXPECT_NEAR(vinetVolumeIntegral(c.member, 1000.0, 1.0), 0.0, 1e-9);
    }
}

TEST(VolumeIntegrals, ModelStandardStateUsesVinetOnlyWhereItHasParameters) {
    EXPECT_FALSE(hasVinetParameters(EndMember::rutile));
    EXPECT_TRUE(std::isnan(vinetVolumeIntegral(EndMember::chromite, 1000.0, 2000.0)));
    // mag with Vinet: Berman G - Berman integral + Vinet integral.
    EXPECT_NEAR(modelStandardGibbs(EndMember::magnetite, 1000.0, 2000.0),
                -1350215.2547 - 9144.297164 + 9106.926529, 1e-4);
    EXPECT_NEAR(modelStandardGibbs(EndMember::rutile, 1000.0, 2000.0), -1024482.8943, 6e-5);
}

TEST(UlvospinelCorrection, BothVariantsAt1000K) {
    EXPECT_NEAR(ulvospinelCorrection(UlvospinelCorrection::reaction, 1000.0), 752.929636, 6e-7);
    EXPECT_NEAR(ulvospinelCorrection(UlvospinelCorrection::plain, 1000.0), -38.386539, 6e-7);
    // At the reference temperature both integrals vanish: dG = dH_c - Tr dS_c.
    EXPECT_NEAR(ulvospinelCorrection(UlvospinelCorrection::plain, 298.15), 122.5, 1e-9);
    EXPECT_NEAR(ulvospinelCorrection(UlvospinelCorrection::reaction, 298.15),
                122.5 + 2039.106175 - 298.15 * 1.247790, 1e-9);
}

TEST(OxygenAndNno, ReferenceValues) {
    EXPECT_NEAR(oxygenChemicalPotential(1000.0), -220862.533850, 6e-7);
    EXPECT_NEAR(oxygenChemicalPotential(298.15), -298.15 * 205.15, 1e-9);
    EXPECT_NEAR(nnoLog10Fo2(1000.0, 2000.0), -15.480444, 6e-7);
    // O'Neill and Pownceby with the Frost pressure term: 0.046 (P - 1) / T.
    EXPECT_NEAR(nnoLog10Fo2(1000.0, 2000.0) - nnoLog10Fo2(1000.0, 1.0), 0.046 * 1999.0 / 1000.0,
                1e-12);
}

// Berman's lambda transitions: the Cp anomaly T (l1 + l2 T)^2 ends at T_lambda, where a
// first-order step dH_lambda (and dH_lambda / T_lambda in S) is added. G is continuous there;
// H and S are continuous apart from exactly that step.
TEST(BermanStandardState, LambdaTransitionsOfMagnetiteAndHematite) {
    for (EndMember m : {EndMember::magnetite, EndMember::hematite}) {
        SCOPED_TRACE(index(m));
        const BermanParameters& p = kBermanTable[index(m)];
        const double t = p.lambdaT, d = 1e-7;
        const ThermalProperties below = bermanThermal(m, t - d);
        const ThermalProperties above = bermanThermal(m, t + d);
        const double gBelow = below.enthalpy - (t - d) * below.entropy;
        const double gAbove = above.enthalpy - (t + d) * above.entropy;
        EXPECT_NEAR(gAbove - gBelow, -2.0 * d * above.entropy, 1e-6);
        EXPECT_NEAR(above.enthalpy - below.enthalpy, p.lambdaDeltaH, 1e-3);
        EXPECT_NEAR(above.entropy - below.entropy, p.lambdaDeltaH / t, 1e-6);
        for (double pressure : {1.0, 2000.0}) {
            EXPECT_NEAR(bermanGibbs(m, t + d, pressure), bermanGibbs(m, t - d, pressure), 1e-3);
        }
        // Below the transition the anomaly raises Cp: H(T) - H(T - 1) exceeds the base Cp.
        const ThermalProperties oneBelow = bermanThermal(m, t - 1.0);
        const double tm = t - 0.5;
        const double baseCp =
            p.k0 + p.k1 / std::sqrt(tm) + p.k2 / (tm * tm) + p.k3 / (tm * tm * tm);
        const double lambdaCp = tm * (p.l1 + p.l2 * tm) * (p.l1 + p.l2 * tm);
        EXPECT_NEAR(below.enthalpy - oneBelow.enthalpy, baseCp + lambdaCp, 0.05);
    }
}

// The Fe-Ti exchange dG(T) of a real pair stays continuous through both transitions.
TEST(BermanStandardState, ExchangeEnergyContinuousThroughTransitions) {
    const OxidePair pair({0.00266617, -0.02419364, 0.83193038, 0.06702845, 0.12256865, true},
                         {0.03853892, 0.44719307, 0.50410315, 0.00493747, 0.00522739}, 2000.0);
    for (double t : {848.0, 955.0}) {
        SCOPED_TRACE(t);
        const double below = pair.feTiExchangeGibbs(t - 1e-6);
        const double above = pair.feTiExchangeGibbs(t + 1e-6);
        ASSERT_TRUE(std::isfinite(below));
        EXPECT_NEAR(above, below, 1e-2);
    }
}

}  // namespace
}  // namespace kelvorad::ge08
