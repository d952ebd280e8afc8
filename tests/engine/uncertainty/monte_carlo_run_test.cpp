// Monte Carlo runs with fixed seeds: no spread without sigma, the analytic spread of a linear
// quantity, a spread that does not depend on the seed, the same numbers for every thread count
// and chunking, and a stopped run that leaves nothing.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>

#include "engine_test_pairs.h"
#include "ge08/test_pairs.h"
#include "monte_carlo_run.h"
#include "perturbation.h"

using namespace kelvorad;
using kelvorad::testing::daciteCells;
using kelvorad::testing::pairFromCells;

namespace {

AnalysisPair websitePair() {
    AnalysisPair p;
    p.magnetite.wt = ge08::check_pairs::websiteMagnetite();
    p.ilmenite.wt = ge08::check_pairs::websiteIlmenite();
    return p;
}

std::vector<AnalysisPair> fewPairs() {
    std::vector<AnalysisPair> pairs{pairFromCells(daciteCells()), websitePair()};
    AnalysisPair hotter = websitePair();
    hotter.ilmenite.wt[TiO2] = 33.0;
    pairs.push_back(hotter);
    AnalysisPair noIlmenite = pairFromCells(daciteCells());
    noIlmenite.ilmenite.wt.fill(0.0);
    pairs.push_back(noIlmenite);
    return pairs;
}

std::size_t indexOf(std::string_view name) {
    const UncertaintyQuantity* q = findUncertaintyQuantity(name);
    EXPECT_NE(q, nullptr) << name;
    return static_cast<std::size_t>(q - kUncertaintyQuantities.data());
}

bool sameBits(double a, double b) {
    return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

void expectSameBits(const std::vector<PairUncertainty>& a, const std::vector<PairUncertainty>& b) {
    ASSERT_EQ(a.size(), b.size());
    for (std::size_t p = 0; p < a.size(); ++p) {
        ASSERT_EQ(a[p].draws.size(), b[p].draws.size());
        for (std::size_t q = 0; q < a[p].draws.size(); ++q) {
            const DrawStatistics& x = a[p].draws[q];
            const DrawStatistics& y = b[p].draws[q];
            EXPECT_TRUE(sameBits(a[p].central[q], b[p].central[q])) << p << " " << q;
            EXPECT_EQ(x.count, y.count) << p << " " << q;
            EXPECT_TRUE(sameBits(x.mean, y.mean) && sameBits(x.sd, y.sd) &&
                        sameBits(x.percentile2_5, y.percentile2_5) &&
                        sameBits(x.percentile97_5, y.percentile97_5))
                << "pair " << p << ", " << kUncertaintyQuantities[q].name;
        }
    }
}

MethodChecks withFullModel() {
    MethodChecks checks;
    checks.setChecked(MethodItem::GE08Model, true);
    return checks;
}

// A run of the pairs with the default sigma, `draws` draws a pair, the full model on or off.
std::optional<std::vector<PairUncertainty>> runDefault(std::span<const AnalysisPair> pairs,
                                                       bool fullModel, std::size_t draws,
                                                       unsigned threads = 2,
                                                       const MonteCarloControl& control = {}) {
    MethodChecks checks = fullModel ? withFullModel() : MethodChecks{};
    const CalculationRun calculation(checks);
    MonteCarloSettings settings;
    settings.draws = draws;
    ThreadPool pool(threads);
    return MonteCarloRun(calculation, settings).run(pairs, pool, control);
}

}  // namespace

TEST(MonteCarloRun, WithoutSigmaEveryDrawIsTheCentralValue) {
    MethodChecks checks = withFullModel();
    const CalculationRun calculation(checks);
    MonteCarloSettings settings;
    settings.draws = 40;
    settings.sigma = uniformRelativeSigma(0.0, 0.0);
    const MonteCarloRun mc(calculation, settings);
    const AnalysisPair pair = websitePair();

    const auto values = mc.drawValues(pair, 0);
    const PairResult central = calculation.computePair(pair);
    for (std::size_t q = 0; q < kUncertaintyQuantityCount; ++q) {
        const double expected = kUncertaintyQuantities[q].value(central);
        ASSERT_FALSE(isMissing(expected)) << kUncertaintyQuantities[q].name;
        // Draws start the full model's solve where the central solve ended, so they reach its
        // root to the solver's tolerance (1e-8 K), not bit for bit.
        for (double v : values[q]) EXPECT_NEAR(v, expected, 1e-7) << kUncertaintyQuantities[q].name;
    }

    ThreadPool pool(2);
    const auto run = mc.run(std::span(&pair, 1), pool);
    ASSERT_TRUE(run);
    for (std::size_t q = 0; q < kUncertaintyQuantityCount; ++q) {
        const DrawStatistics& s = (*run)[0].draws[q];
        const double c = (*run)[0].central[q];
        EXPECT_EQ(c, kUncertaintyQuantities[q].value(central));
        EXPECT_EQ(s.count, 40);
        EXPECT_NEAR(s.sd, 0.0, 1e-9) << kUncertaintyQuantities[q].name;
        EXPECT_NEAR(s.mean, c, 1e-7);
        EXPECT_NEAR(s.percentile2_5, c, 1e-7);
        EXPECT_NEAR(s.percentile97_5, c, 1e-7);
    }
}

TEST(MonteCarloRun, LinearQuantityHasTheAnalyticSpread) {
    // The oxide total of each phase is the sum of its oxides, so with independent errors its
    // sd is sqrt(sum sigma_k^2). 2 % relative and no floor keep every oxide of the pair more
    // than 40 sigma above 0, so clipping plays no part.
    static constexpr std::array totals{
        UncertaintyQuantity{"magnetite total", "", "wt%", false,
                            [](const PairResult& r) { return r.formulae.magnetite.oxideTotal; }},
        UncertaintyQuantity{"ilmenite total", "", "wt%", false,
                            [](const PairResult& r) { return r.formulae.ilmenite.oxideTotal; }},
    };
    MethodChecks checks;
    const CalculationRun calculation(checks);
    MonteCarloSettings settings;
    settings.draws = 20'000;
    settings.seed = 2024;
    settings.sigma = uniformRelativeSigma(2.0, 0.0);
    const AnalysisPair pair = pairFromCells(daciteCells());
    ThreadPool pool(2);
    const auto run = MonteCarloRun(calculation, settings, totals).run(std::span(&pair, 1), pool);
    ASSERT_TRUE(run);

    for (const auto& [phase, wt, q] : {std::tuple{"magnetite", pair.magnetite.wt, 0},
                                       std::tuple{"ilmenite", pair.ilmenite.wt, 1}}) {
        double variance = 0.0, total = 0.0;
        for (double v : wt) variance += (0.02 * v) * (0.02 * v), total += v;
        const DrawStatistics& s = (*run)[0].draws[q];
        EXPECT_EQ(s.count, 20'000);
        EXPECT_NEAR(s.sd / std::sqrt(variance), 1.0, 0.03) << phase;
        EXPECT_NEAR(s.mean, total, 3.0 * std::sqrt(variance / 20'000)) << phase;
        EXPECT_NEAR(s.percentile97_5 - total, 1.96 * std::sqrt(variance),
                    0.05 * std::sqrt(variance))
            << phase;
    }
}

TEST(MonteCarloRun, SpreadOfTemperatureIsStableBetweenSeeds) {
    MethodChecks checks;
    const CalculationRun calculation(checks);
    const AnalysisPair pair = pairFromCells(daciteCells());
    ThreadPool pool;
    std::array<DrawStatistics, 2> t{};
    for (std::uint64_t seed : {1u, 2u}) {
        MonteCarloSettings settings;
        settings.draws = 20'000;
        settings.seed = seed;
        const auto run = MonteCarloRun(calculation, settings).run(std::span(&pair, 1), pool);
        ASSERT_TRUE(run);
        t[seed - 1] = (*run)[0].draws[indexOf("T_AL85_S83")];
    }
    EXPECT_GT(t[0].sd, 1.0) << "2 % errors move the temperature by degrees";
    EXPECT_NEAR(t[1].sd / t[0].sd, 1.0, 0.02);
    EXPECT_NEAR(t[1].mean, t[0].mean, 3.0 * t[0].sd / std::sqrt(10'000.0));
    EXPECT_NE(t[1].mean, t[0].mean) << "the seeds give different draws";
}

TEST(MonteCarloRun, ThreadCountAndChunkingDoNotChangeAnyBit) {
    MethodChecks checks = withFullModel();
    const CalculationRun calculation(checks);
    MonteCarloSettings settings;
    settings.draws = 150;  // more than two blocks of draws, the last one partial
    settings.seed = 77;
    const MonteCarloRun mc(calculation, settings);
    const std::vector<AnalysisPair> pairs = fewPairs();

    ThreadPool one(1), two(2), four(4);
    const auto reference = mc.run(pairs, one);
    ASSERT_TRUE(reference);
    expectSameBits(*reference, *mc.run(pairs, two));
    expectSameBits(*reference, *mc.run(pairs, four));

    // The same pairs in two chunks, the second starting at its place in the input.
    auto chunked = *mc.run(std::span(pairs).first(1), two);
    const auto rest = *mc.run(std::span(pairs).subspan(1), four, {}, 1);
    chunked.insert(chunked.end(), rest.begin(), rest.end());
    expectSameBits(*reference, chunked);

    // The run summarises exactly the draws drawValues gives.
    const auto values = mc.drawValues(pairs[1], 1);
    std::vector<double> scratch;
    const std::size_t t = indexOf("T_GE08_model");
    const DrawStatistics direct = summariseDraws(values[t], scratch);
    EXPECT_TRUE(sameBits(direct.sd, (*reference)[1].draws[t].sd));
    EXPECT_TRUE(sameBits(direct.percentile2_5, (*reference)[1].draws[t].percentile2_5));
}

TEST(MonteCarloRun, ReportsEveryQuantityAndCountsOnlyDrawsWithAValue) {
    const auto run = runDefault(fewPairs(), true, 100);
    ASSERT_TRUE(run);

    const PairUncertainty& website = (*run)[1];
    for (std::size_t q = 0; q < kUncertaintyQuantityCount; ++q) {
        const DrawStatistics& s = website.draws[q];
        EXPECT_EQ(s.count, 100) << kUncertaintyQuantities[q].name;
        EXPECT_LE(s.percentile2_5, s.mean) << kUncertaintyQuantities[q].name;
        EXPECT_LE(s.mean, s.percentile97_5) << kUncertaintyQuantities[q].name;
    }
    const DrawStatistics& tModel = website.draws[indexOf("T_GE08_model")];
    EXPECT_NEAR(tModel.mean, website.central[indexOf("T_GE08_model")], 3.0 * tModel.sd);
    EXPECT_GT(tModel.sd, 0.0);
    const DrawStatistics& pass = website.draws[indexOf("EquilibriumTest_pass")];
    EXPECT_GE(pass.mean, 0.0);
    EXPECT_LE(pass.mean, 1.0);

    // Without ilmenite every estimate is blank, and with no ilmenite Mg or Mn the equilibrium
    // test cannot judge the pair: no draw gives a value.
    const PairUncertainty& noIlmenite = (*run)[3];
    EXPECT_EQ(noIlmenite.draws[indexOf("T_AL85_S83")].count, 0);
    EXPECT_TRUE(isMissing(noIlmenite.draws[indexOf("T_AL85_S83")].mean));
    EXPECT_EQ(noIlmenite.draws[indexOf("T_GE08_model")].count, 0);
    EXPECT_EQ(noIlmenite.draws[indexOf("EquilibriumTest_pass")].count, 0);
}

TEST(MonteCarloRun, FullModelQuantitiesAreEmptyWhenTheModelIsOff) {
    const AnalysisPair pair = websitePair();
    const auto run = runDefault(std::span(&pair, 1), false, 20);
    ASSERT_TRUE(run);
    for (std::size_t q = 0; q < kUncertaintyQuantityCount; ++q) {
        EXPECT_EQ((*run)[0].draws[q].count, kUncertaintyQuantities[q].fullModel ? 0 : 20)
            << kUncertaintyQuantities[q].name;
    }
}

TEST(MonteCarloRun, ProgressCountsEveryDrawOnce) {
    std::vector<std::uint64_t> reports;
    MonteCarloControl control;
    control.progress = [&](std::uint64_t done, std::uint64_t total) {
        EXPECT_EQ(total, 4u * 130u);
        reports.push_back(done);
    };
    ASSERT_TRUE(runDefault(fewPairs(), false, 130, 4, control));
    ASSERT_EQ(reports.size(), 4u * 3u) << "three blocks of draws a pair";
    EXPECT_TRUE(std::is_sorted(reports.begin(), reports.end()));
    EXPECT_EQ(reports.back(), 4u * 130u);
}

TEST(MonteCarloRun, AStoppedRunLeavesNothing) {
    MethodChecks checks = withFullModel();
    const CalculationRun calculation(checks);
    MonteCarloSettings settings;
    settings.draws = 200;
    const MonteCarloRun mc(calculation, settings);
    const std::vector<AnalysisPair> pairs = fewPairs();
    ThreadPool pool(2);

    std::stop_source before;
    before.request_stop();
    EXPECT_FALSE(mc.run(pairs, pool, {before.get_token(), {}}));

    // Stopped from the progress report after the first block: the other draws are not made.
    std::stop_source during;
    std::uint64_t lastDone = 0;
    MonteCarloControl control{during.get_token(), [&](std::uint64_t done, std::uint64_t) {
                                  lastDone = done;
                                  during.request_stop();
                              }};
    EXPECT_FALSE(mc.run(pairs, pool, control));
    EXPECT_LT(lastDone, 4u * 200u / 2);

    // The pool and the run work as before afterwards.
    EXPECT_TRUE(mc.run(pairs, pool));
}

TEST(MonteCarloRun, NoDrawsGivesCentralValuesOnly) {
    const auto run = runDefault(fewPairs(), false, 0);
    ASSERT_TRUE(run);
    EXPECT_FALSE(isMissing((*run)[0].central[indexOf("T_AL85_S83")]));
    EXPECT_EQ((*run)[0].draws[indexOf("T_AL85_S83")].count, 0);
}

// Every draw's full-model solve starts where the unperturbed pair's ended; its estimates must be
// those of a solve started from nothing, to 0.01 C and 0.001 log units.
TEST(MonteCarloRun, DrawsStartedFromTheCentralSolveAgreeWithColdSolves) {
    MethodChecks checks = withFullModel();
    const CalculationRun calculation(checks);
    MonteCarloSettings settings;
    settings.draws = 40;
    const MonteCarloRun run(calculation, settings);
    const AnalysisPair pair = websitePair();
    const auto values = run.drawValues(pair, 7);
    const std::size_t t = indexOf("T_GE08_model");
    const std::size_t dnno = indexOf("DeltaNNO_GE08_model");
    AnalysisPair drawn;
    for (std::uint64_t d = 0; d < settings.draws; ++d) {
        perturbPair(pair, settings.sigma, {settings.seed, 7, d}, drawn);
        const PairResult cold = calculation.computePair(drawn);
        ASSERT_TRUE(cold.fullModel);
        EXPECT_NEAR(values[t][d], cold.fullModel->temperatureC, 0.01) << d;
        EXPECT_NEAR(values[dnno][d], cold.fullModel->deltaNNO, 0.001) << d;
    }
}
