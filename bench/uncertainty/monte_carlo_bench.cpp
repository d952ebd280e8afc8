// Monte Carlo uncertainty of a full table: 350 generated pairs with the default sigma, on
// every core of the machine (and on one, for comparison), without the full thermodynamic
// model (1,000 draws a pair) and with it (200 draws a pair).
#include <benchmark/benchmark.h>

#include "bench_pairs.h"
#include "monte_carlo_run.h"

using namespace kelvorad;

namespace {

void runTable(benchmark::State& state, bool fullModel, std::size_t draws) {
    static const std::vector<AnalysisPair> pairs = bench::generatedPairs(350);
    MethodChecks checks;
    checks.setChecked(MethodItem::GE08Model, fullModel);
    const CalculationRun calculation(checks);
    MonteCarloSettings settings;
    settings.draws = draws;
    const MonteCarloRun mc(calculation, settings);
    ThreadPool pool(static_cast<unsigned>(state.range(0)));
    for (auto _ : state) {
        auto results = mc.run(pairs, pool);
        benchmark::DoNotOptimize(results);
    }
    state.counters["threads"] = pool.threadCount();
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * pairs.size() * draws));
}

void Table350x1000WithoutFullModel(benchmark::State& state) {
    runTable(state, false, 1000);
}
void Table350x200WithFullModel(benchmark::State& state) {
    runTable(state, true, 200);
}

const auto machine = static_cast<int64_t>(ThreadPool::machineThreadCount());
BENCHMARK(Table350x1000WithoutFullModel)
    ->Arg(machine)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3)
    ->UseRealTime();
BENCHMARK(Table350x200WithFullModel)
    ->Arg(machine)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
