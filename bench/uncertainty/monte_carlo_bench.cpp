// Monte Carlo uncertainty of a full table: 350 generated pairs with the default sigma, on
// every core of the machine (and on one, for comparison), without the full thermodynamic
// model (1,000 draws a pair) and with it (200 and 1,000 draws a pair). The counter "cpu_s" is
// the CPU time of the whole process (every thread) per run, beside the wall-clock time: the
// machine may be shared.
#include <benchmark/benchmark.h>

#include <ctime>

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
    const std::clock_t cpuStart = std::clock();
    for (auto _ : state) {
        auto results = mc.run(pairs, pool);
        benchmark::DoNotOptimize(results);
    }
    const double cpuSeconds = double(std::clock() - cpuStart) / CLOCKS_PER_SEC;
    state.counters["threads"] = pool.threadCount();
    state.counters["cpu_s"] = cpuSeconds / double(state.iterations());
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * pairs.size() * draws));
}

void Table350x1000WithoutFullModel(benchmark::State& state) {
    runTable(state, false, 1000);
}
void Table350x200WithFullModel(benchmark::State& state) {
    runTable(state, true, 200);
}
void Table350x1000WithFullModel(benchmark::State& state) {
    runTable(state, true, 1000);
}

const auto machine = static_cast<int64_t>(ThreadPool::machineThreadCount());
BENCHMARK(Table350x1000WithoutFullModel)
    ->Arg(machine)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3)
    ->UseRealTime();
BENCHMARK(Table350x1000WithFullModel)
    ->Arg(machine)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->UseRealTime();
BENCHMARK(Table350x200WithFullModel)
    ->Arg(machine)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
