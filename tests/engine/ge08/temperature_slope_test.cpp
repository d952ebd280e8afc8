// The analytic temperature derivatives of the model (standard states, pure end-members, the
// ordering and the exchange reactions along the equilibrium ordering) against central finite
// differences of the values they differentiate. Temperatures keep clear of the lambda
// transitions (848 K, 955 K), where dG/dT steps.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "berman_standard_state.h"
#include "oxide_pair.h"
#include "oxide_projection.h"
#include "rhombohedral_oxide.h"
#include "spinel_oxide.h"
#include "test_pairs.h"
#include "ulvospinel_correction.h"

namespace kelvorad::ge08 {
namespace {

using namespace check_pairs;

constexpr double kStep = 0.01;  // K

template <class F>
double centralDifference(F f, double t) {
    return (f(t + kStep) - f(t - kStep)) / (2.0 * kStep);
}

// Agreement to a part in 1e6 of the slope, or 2e-5 J/K for small slopes.
void expectSlope(double analytic, double numeric) {
    EXPECT_NEAR(analytic, numeric, std::max(2e-5, 1e-6 * std::abs(numeric)));
}

TEST(TemperatureSlopes, StandardStatesAndTheUlvospinelCorrection) {
    for (double p : {1.0, 2000.0, 5000.0}) {
        for (double t : {600.0, 1000.0, 1800.0}) {
            for (int m = 0; m < kEndMemberCount; ++m) {
                SCOPED_TRACE(testing::Message() << "member " << m << " T " << t << " P " << p);
                const auto member = static_cast<EndMember>(m);
                expectSlope(modelStandardGibbsSlope(member, t, p),
                            centralDifference(
                                [&](double x) { return modelStandardGibbs(member, x, p); }, t));
                expectSlope(
                    bermanGibbsSlope(member, t, p),
                    centralDifference([&](double x) { return bermanGibbs(member, x, p); }, t));
            }
        }
    }
    for (auto variant : {UlvospinelCorrection::plain, UlvospinelCorrection::reaction}) {
        for (double t : {400.0, 1000.0, 2000.0}) {
            expectSlope(
                ulvospinelCorrectionSlope(variant, t),
                centralDifference([&](double x) { return ulvospinelCorrection(variant, x); }, t));
        }
    }
}

TEST(TemperatureSlopes, PureEndMembersInTheirOwnOrdering) {
    // 800 K: ordered ilmenite; 2200 K: above its order-disorder transition.
    for (double t : {800.0, 1300.0, 2200.0}) {
        SCOPED_TRACE(t);
        for (auto m : {RhombohedralMember::ilmenite, RhombohedralMember::hematite}) {
            expectSlope(rhombohedralPure(m, t, 2000.0).slope,
                        centralDifference(
                            [&](double x) { return rhombohedralPureGibbs(m, x, 2000.0); }, t));
        }
        for (int m = 0; m < 5; ++m) {
            const auto member = static_cast<SpinelMember>(m);
            expectSlope(spinelPure(member, t).slope,
                        centralDifference([&](double x) { return spinelPureGibbs(member, x); }, t));
        }
    }
}

OxidePair pairOf(const Analysis& magnetite, const Analysis& ilmenite) {
    const SpinelFractions sp = projectSpinel(magnetite);
    const RhombohedralFractions rh = projectRhombohedral(ilmenite);
    return OxidePair(
        {sp.chromite, sp.hercynite, sp.magnetite, sp.spinel, sp.ulvospinel, sp.hasAluminium},
        {rh.geikielite, rh.hematite, rh.ilmenite, rh.pyrophanite, rh.corundum}, 2000.0);
}

Analysis without(Analysis a, int oxide) {
    a[oxide] = 0.0;
    return a;
}

// The exchange reactions and the ordering itself, along the equilibrium ordering of both
// phases, for pairs with every component and with Al or Mg absent (pinned ordering variables).
TEST(TemperatureSlopes, ExchangeReactionsAlongTheEquilibriumOrdering) {
    struct Case {
        const char* name;
        Analysis magnetite, ilmenite;
        bool feMgDefined;
    };
    const Case cases[] = {
        {"website pair", websiteMagnetite(), websiteIlmenite(), true},
        {"Hat Creek", compilationAnalysis({0.14, 26.1, 0.41, 0.02, 68.8, 0.67, 0.87, 0.10}),
         compilationAnalysis({0.14, 49.5, 0.05, 0.00, 47.7, 0.70, 0.69, 0.20}), true},
        {"no Al", without(websiteMagnetite(), Al2O3), without(websiteIlmenite(), Al2O3), true},
        {"no Mg", without(websiteMagnetite(), MgO), without(websiteIlmenite(), MgO), false},
    };
    for (const Case& c : cases) {
        const OxidePair pair = pairOf(c.magnetite, c.ilmenite);
        for (double t : {600.0, 1000.0, 1400.0, 2200.0}) {
            SCOPED_TRACE(testing::Message() << c.name << " T " << t);
            const PairState state = pair.equilibrate(t);
            ASSERT_TRUE(state.valid());
            expectSlope(feTiExchangeSlope(state),
                        centralDifference([&](double x) { return pair.feTiExchangeGibbs(x); }, t));
            if (c.feMgDefined) {
                expectSlope(
                    feMgExchangeSlope(state),
                    centralDifference([&](double x) { return pair.feMgExchangeGibbs(x); }, t));
            }
            const PairState up = pair.equilibrate(t + kStep), down = pair.equilibrate(t - kStep);
            for (int k = 0; k < 3; ++k) {
                const double spinel =
                    (up.spinel.ordering[k] - down.spinel.ordering[k]) / (2.0 * kStep);
                const double rhombohedral =
                    (up.rhombohedral.ordering[k] - down.rhombohedral.ordering[k]) / (2.0 * kStep);
                EXPECT_NEAR(state.spinel.orderingSlope[k], spinel, 1e-8);
                EXPECT_NEAR(state.rhombohedral.orderingSlope[k], rhombohedral, 1e-8);
            }
        }
    }
}

}  // namespace
}  // namespace kelvorad::ge08
