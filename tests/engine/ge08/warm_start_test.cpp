// A solve started from where a similar pair's solve ended gives what a solve without it gives:
// for the check pairs started from themselves, for Monte Carlo draws of them started from
// the central pair, and from hints that fit badly or not at all.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <thread>
#include <vector>

#include "ge08_model.h"
#include "test_pairs.h"

namespace kelvorad::ge08 {
namespace {

using namespace check_pairs;

Analysis with(Analysis a, int oxide, double wt) {
    a[oxide] = wt;
    return a;
}

std::vector<NamedPair> checkPairs() {
    Analysis plainMagnetite{}, plainIlmenite{};
    plainMagnetite[TiO2] = 4.35, plainMagnetite[FeO] = 86.34;
    plainIlmenite[TiO2] = 28.73, plainIlmenite[FeO] = 65.98;
    std::vector<NamedPair> pairs = {{"website", websiteMagnetite(), websiteIlmenite()}};
    // AC-5's draws put the Fe-Mg dG on either side of the jump at its ilmenite's transition.
    for (const NamedPair& p : compilationPairs()) pairs.push_back(p);
    const std::vector<NamedPair> edges = {
        {"no Al", with(websiteMagnetite(), Al2O3, 0.0), with(websiteIlmenite(), Al2O3, 0.0)},
        {"no Mg", with(websiteMagnetite(), MgO, 0.0), with(websiteIlmenite(), MgO, 0.0)},
        {"plain Fe-Ti", plainMagnetite, plainIlmenite},
        {"no root, cold", with(with(Analysis{}, TiO2, 0.05), FeO, 92.5),
         with(with(Analysis{}, TiO2, 52.0), FeO, 47.0)},
        {"no root, hot", with(with(Analysis{}, TiO2, 33.0), FeO, 66.0),
         with(with(Analysis{}, TiO2, 2.0), FeO, 88.0)},
        {"outside", websiteMagnetite(), with(with(Analysis{}, TiO2, 55.0), FeO, 45.0)},
    };
    pairs.insert(pairs.end(), edges.begin(), edges.end());
    return pairs;
}

// Both missing, or equal within tol.
void expectSame(double cold, double warm, double tol, const char* what) {
    if (std::isnan(cold)) {
        EXPECT_TRUE(std::isnan(warm)) << what;
    } else {
        EXPECT_NEAR(warm, cold, tol) << what;
    }
}

// Far inside the 0.01 C and 0.001 log-unit agreement required; the two differ by round-off
// (the root search stops within 1e-8 K).
void expectSameResult(const Ge08Result& cold, const Ge08Result& warm) {
    EXPECT_EQ(warm.status, cold.status);
    expectSame(cold.temperatureC, warm.temperatureC, 1e-6, "T");
    expectSame(cold.log10fO2, warm.log10fO2, 1e-7, "log fO2");
    expectSame(cold.deltaNNO, warm.deltaNNO, 1e-7, "dNNO");
    expectSame(cold.aTiO2, warm.aTiO2, 1e-8, "aTiO2");
    expectSame(cold.feMgTemperatureC, warm.feMgTemperatureC, 1e-6, "Fe-Mg T");
}

TEST(Ge08WarmStart, EachPairFromItsOwnSolution) {
    for (double pressure : {1.0, 2000.0, 5000.0}) {
        for (const NamedPair& p : checkPairs()) {
            SCOPED_TRACE(testing::Message() << p.name << " at " << pressure << " bar");
            Ge08WarmStart reached;
            const Ge08Result cold =
                computeGe08Model(p.magnetite, p.ilmenite, pressure, nullptr, &reached);
            const Ge08Result plain = computeGe08Model(p.magnetite, p.ilmenite, pressure);
            expectSameResult(plain, cold);
            // The hint records where the solve ended.
            if (cold.status == Ge08Status::converged) {
                EXPECT_DOUBLE_EQ(reached.feTi.temperatureK - 273.15, cold.temperatureC);
                EXPECT_DOUBLE_EQ(reached.low.temperatureK, 500.0);
                EXPECT_DOUBLE_EQ(reached.feTiHigh.temperatureK, 2500.0);
            } else {
                EXPECT_TRUE(std::isnan(reached.feTi.temperatureK));
            }
            if (cold.status == Ge08Status::outsideModel) {
                EXPECT_TRUE(std::isnan(reached.low.temperatureK));
            }
            expectSame(cold.feMgTemperatureC, reached.feMg.temperatureK - 273.15, 1e-12, "Fe-Mg");
            expectSameResult(cold, computeGe08Model(p.magnetite, p.ilmenite, pressure, &reached));
        }
    }
}

// Draws as a Monte Carlo run makes them: every oxide normal about the analysis, sigma 2 %
// relative with a floor of 0.03 wt% (the larger), negative draws set to 0, blanks left blank.
NamedPair draw(const NamedPair& central, std::mt19937_64& generator) {
    NamedPair d = central;
    for (Analysis* a : {&d.magnetite, &d.ilmenite}) {
        for (double& wt : *a) {
            if (wt <= 0.0) continue;
            std::normal_distribution<double> normal(wt, std::max(0.02 * wt, 0.03));
            wt = std::max(0.0, normal(generator));
        }
    }
    return d;
}

TEST(Ge08WarmStart, PerturbedDrawsFromTheCentralPair) {
    std::mt19937_64 generator(14);
    int converged = 0, feMg = 0;
    for (const NamedPair& p : checkPairs()) {
        Ge08WarmStart hint;
        computeGe08Model(p.magnetite, p.ilmenite, 2000.0, nullptr, &hint);
        for (int i = 0; i < 40; ++i) {
            const NamedPair d = draw(p, generator);
            SCOPED_TRACE(testing::Message() << p.name << " draw " << i);
            const Ge08Result cold = computeGe08Model(d.magnetite, d.ilmenite, 2000.0);
            expectSameResult(cold, computeGe08Model(d.magnetite, d.ilmenite, 2000.0, &hint));
            converged += cold.status == Ge08Status::converged;
            feMg += !std::isnan(cold.feMgTemperatureC);
        }
    }
    // The draws exercise the searches, not only the statuses.
    EXPECT_GT(converged, 300);
    EXPECT_GT(feMg, 150);
}

// One hint read by solves on several threads at once (as Monte Carlo draws are run): the same
// results, to the bit, as the same solves one after another.
TEST(Ge08WarmStart, OneHintSharedByThreads) {
    const NamedPair central = checkPairs()[1];
    Ge08WarmStart hint;
    computeGe08Model(central.magnetite, central.ilmenite, 2000.0, nullptr, &hint);
    std::mt19937_64 generator(7);
    std::vector<NamedPair> draws;
    for (int i = 0; i < 64; ++i) draws.push_back(draw(central, generator));
    std::vector<Ge08Result> sequential, parallel(draws.size());
    for (const NamedPair& d : draws)
        sequential.push_back(computeGe08Model(d.magnetite, d.ilmenite, 2000.0, &hint));
    std::vector<std::thread> threads;
    for (std::size_t t = 0; t < 4; ++t) {
        threads.emplace_back([&, t] {
            for (std::size_t i = t; i < draws.size(); i += 4)
                parallel[i] =
                    computeGe08Model(draws[i].magnetite, draws[i].ilmenite, 2000.0, &hint);
        });
    }
    for (std::thread& thread : threads) thread.join();
    for (std::size_t i = 0; i < draws.size(); ++i) {
        EXPECT_EQ(parallel[i].status, sequential[i].status);
        EXPECT_EQ(parallel[i].temperatureC, sequential[i].temperatureC);
        EXPECT_EQ(parallel[i].log10fO2, sequential[i].log10fO2);
    }
}

// A hint from another pair, at another pressure, or out of the composition's domain only costs
// time.
TEST(Ge08WarmStart, UnrelatedOrBrokenHints) {
    const std::vector<NamedPair> pairs = checkPairs();
    std::vector<Ge08WarmStart> hints(pairs.size());
    for (std::size_t i = 0; i < pairs.size(); ++i)
        computeGe08Model(pairs[i].magnetite, pairs[i].ilmenite, 1.0, nullptr, &hints[i]);
    Ge08WarmStart broken = hints[0];
    for (Ge08WarmStart::Point* point :
         {&broken.low, &broken.feMgHigh, &broken.feTiHigh, &broken.feMg, &broken.feTi}) {
        point->spinelOrdering = {5.0, -5.0, NAN};
        point->rhombohedralOrdering = {2.0, NAN, -1.0};
    }
    Ge08WarmStart farAway = hints[0];
    farAway.feTi.temperatureK = 400.0;
    farAway.feMg.temperatureK = 3000.0;
    for (const NamedPair& p : pairs) {
        SCOPED_TRACE(p.name);
        const Ge08Result cold = computeGe08Model(p.magnetite, p.ilmenite, 2000.0);
        for (const Ge08WarmStart& hint : hints)
            expectSameResult(cold, computeGe08Model(p.magnetite, p.ilmenite, 2000.0, &hint));
        expectSameResult(cold, computeGe08Model(p.magnetite, p.ilmenite, 2000.0, &broken));
        expectSameResult(cold, computeGe08Model(p.magnetite, p.ilmenite, 2000.0, &farAway));
    }
}

}  // namespace
}  // namespace kelvorad::ge08
