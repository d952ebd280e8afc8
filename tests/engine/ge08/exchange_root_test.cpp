// The safeguarded Newton search of the exchange temperatures against Brent's method on the
// same dG(T), for the check pairs and both reactions, including roots near the lambda kinks.

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "exchange_root.h"
#include "oxide_projection.h"
#include "test_pairs.h"

namespace kelvorad::ge08 {
namespace {

using namespace check_pairs;

// The website pair and four natural pairs of the compilation.
std::vector<NamedPair> checkPairs() {
    std::vector<NamedPair> pairs = {{"website", websiteMagnetite(), websiteIlmenite()}};
    for (const NamedPair& p : compilationPairs())
        if (std::string(p.name) != "Oraefi") pairs.push_back(p);
    return pairs;
}

OxidePair pairOf(const NamedPair& p, double pressure = 2000.0) {
    const SpinelFractions sp = projectSpinel(p.magnetite);
    const RhombohedralFractions rh = projectRhombohedral(p.ilmenite);
    return OxidePair(
        {sp.chromite, sp.hercynite, sp.magnetite, sp.spinel, sp.ulvospinel, sp.hasAluminium},
        {rh.geikielite, rh.hematite, rh.ilmenite, rh.pyrophanite, rh.corundum}, pressure);
}

// Brent's method on the same function, to its own (tighter) tolerance.
double brentTemperature(const OxidePair& pair, Exchange reaction, double lo, double hi) {
    return brentRoot([&](double t) { return exchangeGibbs(reaction, pair.equilibrate(t)); }, lo, hi)
        .root;
}

TEST(ExchangeRoot, AgreesWithBrentInFewEvaluations) {
    for (const NamedPair& p : checkPairs()) {
        const OxidePair pair = pairOf(p);
        const PairState low = pair.equilibrate(500.0);
        for (auto [reaction, high] :
             {std::pair{Exchange::feTi, 2500.0}, {Exchange::feMg, 2000.0}}) {
            SCOPED_TRACE(testing::Message()
                         << p.name << (reaction == Exchange::feTi ? " Fe-Ti" : " Fe-Mg"));
            const ExchangeRoot root = solveExchange(pair, reaction, low, pair.equilibrate(high));
            const double brent = brentTemperature(pair, reaction, 500.0, high);
            if (std::isnan(brent)) {
                EXPECT_EQ(root.status, RootStatus::noSignChange);
                continue;
            }
            ASSERT_EQ(root.status, RootStatus::converged);
            EXPECT_NEAR(root.state.temperatureK, brent, 1e-7);
            EXPECT_NEAR(exchangeGibbs(reaction, root.state), 0.0, 1e-5);
            EXPECT_LE(root.evaluations, 10);
        }
    }
}

// Brackets that put the lambda transitions of magnetite (848 K) and hematite (955 K), where
// dG(T) has a kink, between the first guess and the root, and guesses at either end.
TEST(ExchangeRoot, CrossesTheLambdaKinksAndUsesTheGuess) {
    for (double pressure : {1.0, 2000.0, 5000.0}) {
        const OxidePair pair = pairOf(checkPairs()[0], pressure);  // T near 995 K
        const double brent = brentTemperature(pair, Exchange::feTi, 500.0, 2500.0);
        for (double lo : {700.0, 850.0, 950.0}) {
            for (double guess : {double{NAN}, lo + 1.0, 2400.0, brent + 0.5}) {
                SCOPED_TRACE(testing::Message()
                             << "P " << pressure << " from " << lo << " guess " << guess);
                const ExchangeRoot root = solveExchange(pair, Exchange::feTi, pair.equilibrate(lo),
                                                        pair.equilibrate(2500.0), guess);
                ASSERT_EQ(root.status, RootStatus::converged);
                EXPECT_NEAR(root.state.temperatureK, brent, 1e-7);
            }
        }
        // A bracket without the root.
        EXPECT_EQ(
            solveExchange(pair, Exchange::feTi, pair.equilibrate(1100.0), pair.equilibrate(2500.0))
                .status,
            RootStatus::noSignChange);
    }
}

// A pair whose Fe-Mg dG jumps across zero where its ilmenite turns from ordered to disordered
// (near 1650.6 K): the root is that jump, found far faster than by bisection, where Brent's
// method on the full solves puts it.
TEST(ExchangeRoot, JumpAtTheOrderDisorderTransition) {
    Analysis magnetite{}, ilmenite{};
    magnetite[SiO2] = 0.14, magnetite[TiO2] = 21.78, magnetite[Al2O3] = 0.59;
    magnetite[Cr2O3] = 0.05, magnetite[FeO] = 73.64, magnetite[MnO] = 1.01;
    magnetite[MgO] = 0.10, magnetite[CaO] = 0.01;
    ilmenite[SiO2] = 0.04, ilmenite[TiO2] = 50.82, ilmenite[Al2O3] = 0.05;
    ilmenite[FeO] = 49.37, ilmenite[MnO] = 1.17, ilmenite[MgO] = 0.09, ilmenite[CaO] = 0.08;
    const OxidePair pair = pairOf({"jump", magnetite, ilmenite});
    const double brent = brentTemperature(pair, Exchange::feMg, 500.0, 2000.0);
    ASSERT_NEAR(brent, 1650.6, 0.1);
    // A jump, not a steep smooth root: ordered just below, disordered just above.
    EXPECT_GT(pair.equilibrate(brent - 1e-4).rhombohedral.ordering[0], 0.3);
    EXPECT_EQ(pair.equilibrate(brent + 1e-4).rhombohedral.ordering[0], 0.0);
    EXPECT_GT(std::abs(exchangeGibbs(Exchange::feMg, pair.equilibrate(brent + 1e-4))), 1000.0);
    const PairState low = pair.equilibrate(500.0), high = pair.equilibrate(2000.0);
    for (double guess : {double{NAN}, 1640.0, 1660.0}) {
        SCOPED_TRACE(guess);
        const ExchangeRoot root = solveExchange(pair, Exchange::feMg, low, high, guess);
        ASSERT_EQ(root.status, RootStatus::converged);
        EXPECT_NEAR(root.state.temperatureK, brent, 1e-7);
        EXPECT_LE(root.evaluations, 30);
    }
}

// The check that confirms a continued ordering: the same minimum to 1e-7, the rhombohedral
// phase also as its mirror image (A and B layers named the other way round), nothing else.
TEST(ExchangeRoot, SameOrderingMeansTheSameMinimum) {
    const OxidePair pair = pairOf(checkPairs()[0]);
    const PairState state = pair.equilibrate(1000.0);
    ASSERT_TRUE(state.valid());
    EXPECT_TRUE(sameOrdering(state, state));
    PairState mirror = state;
    for (double& s : mirror.rhombohedral.ordering) s = -s;
    EXPECT_TRUE(sameOrdering(state, mirror));
    PairState spinelMirror = state;
    for (double& s : spinelMirror.spinel.ordering) s = -s;
    EXPECT_FALSE(sameOrdering(state, spinelMirror));
    PairState moved = state;
    moved.rhombohedral.ordering[1] += 1e-6;
    EXPECT_FALSE(sameOrdering(state, moved));
    moved.rhombohedral.ordering[1] = state.rhombohedral.ordering[1] + 5e-8;
    EXPECT_TRUE(sameOrdering(state, moved));
    EXPECT_FALSE(sameOrdering(state, PairState{}));
}

}  // namespace
}  // namespace kelvorad::ge08
