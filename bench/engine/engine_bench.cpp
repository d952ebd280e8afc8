// Pairs per second of the calculation engine on one core, over 1,000,000 generated pairs:
// the stages alone, and the stages with the results row and the plot data lines.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "bench_pairs.h"
#include "calculation_run.h"
#include "results_row.h"

using namespace kelvorad;

namespace {
const std::vector<AnalysisPair>& pairs() {
    static const std::vector<AnalysisPair> generated = bench::generatedPairs(1'000'000);
    return generated;
}

void EngineStages(benchmark::State& state) {
    MethodChecks checks;
    CalculationRun run(checks);
    const auto& all = pairs();
    std::size_t k = 0;
    for (auto _ : state) {
        PairResult r = run.computePair(all[k]);
        benchmark::DoNotOptimize(r);
        if (++k == all.size()) k = 0;
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()));
}
BENCHMARK(EngineStages);

void EngineWithRowsAndPlotLines(benchmark::State& state) {
    MethodChecks checks;
    checks.setChecked(MethodItem::TNNOS08, true);
    checks.setChecked(MethodItem::TNNOGE08, true);
    CalculationRun run(checks);
    const auto dir = std::filesystem::temp_directory_path() / "kelvorad_engine_bench";
    std::filesystem::create_directories(dir);
    PlotDataWriter plots(dir);
    const auto& all = pairs();
    std::size_t k = 0;
    std::string row;
    for (auto _ : state) {
        row.clear();
        run.processPair(all[k], &plots, row);
        benchmark::DoNotOptimize(row.data());
        if (++k == all.size()) k = 0;
    }
    plots.close();
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()));
}
BENCHMARK(EngineWithRowsAndPlotLines);

void WholeMillionPairs(benchmark::State& state) {
    MethodChecks checks;
    CalculationRun run(checks);
    const auto& all = pairs();
    for (auto _ : state) {
        double sum = 0;
        for (const AnalysisPair& p : all) sum += run.computePair(p).thermometry.tAL85[3];
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * all.size()));
}
BENCHMARK(WholeMillionPairs)->Unit(benchmark::kMillisecond)->Iterations(3);
}  // namespace

BENCHMARK_MAIN();
