// Pairs per second of the full Ghiorso and Evans (2008) model on one core: projection, the
// Fe-Ti and Fe-Mg temperature solves, log fO2, dNNO and a_TiO2 for each pair. The pairs are
// the website example and five natural pairs of the GE08 test compilation, cycled; the draws
// are Monte Carlo perturbations of them (each oxide normal with sigma 2 % relative, at least
// 0.03 wt%, fixed seed), solved without and with the central pair's warm start.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <random>
#include <vector>

#include "ge08_model.h"

namespace {

using Analysis = std::array<double, 16>;
enum Oxide { SiO2, TiO2, Al2O3, V2O3, Cr2O3, Nb2O3, Fe2O3, FeO, MnO, NiO, ZnO, MgO, CaO };

// SiO2, TiO2, Al2O3, Cr2O3, FeO, MnO, MgO, CaO
Analysis analysis(std::array<double, 8> v) {
    Analysis a{};
    a[SiO2] = v[0], a[TiO2] = v[1], a[Al2O3] = v[2], a[Cr2O3] = v[3], a[FeO] = v[4];
    a[MnO] = v[5], a[MgO] = v[6], a[CaO] = v[7];
    return a;
}

struct Pair {
    Analysis magnetite, ilmenite;
};

const std::vector<Pair>& pairs() {
    static const std::vector<Pair> list = {
        {analysis({0, 4.35, 1.94, 0.18, 86.34, 0.44, 1.20, 0}),
         analysis({0, 28.73, 0.35, 0, 65.98, 0.23, 1.02, 0})},
        {analysis({0.14, 26.1, 0.41, 0.02, 68.8, 0.67, 0.87, 0.10}),
         analysis({0.14, 49.5, 0.05, 0.00, 47.7, 0.70, 0.69, 0.20})},
        {analysis({0.13, 21.5, 1.15, 0.00, 73.6, 0.88, 0.32, 0.03}),
         analysis({0.05, 49.8, 0.04, 0.00, 47.7, 0.98, 0.62, 0.06})},
        {analysis({0.11, 22.1, 0.64, 0.01, 73.0, 1.00, 0.06, 0.04}),
         analysis({0.03, 49.9, 0.03, 0.00, 47.9, 1.23, 0.10, 0.04})},
        {analysis({0.07, 19.8, 0.99, 0.10, 74.0, 0.76, 0.40, 0.01}),
         analysis({0.03, 48.9, 0.06, 0.02, 48.7, 1.02, 0.47, 0.00})},
        {analysis({0.08, 19.7, 0.93, 0.02, 75.5, 0.64, 0.34, 0.00}),
         analysis({0.04, 49.6, 0.06, 0.00, 48.3, 0.82, 0.63, 0.02})},
    };
    return list;
}

void BM_Ge08ModelPairs(benchmark::State& state) {
    const std::vector<Pair>& list = pairs();
    std::size_t next = 0;
    for (auto _ : state) {
        const Pair& p = list[next];
        next = (next + 1) % list.size();
        benchmark::DoNotOptimize(kelvorad::ge08::computeGe08Model(p.magnetite, p.ilmenite, 2000.0));
    }
    state.SetItemsProcessed(state.iterations());  // items = pairs
}
BENCHMARK(BM_Ge08ModelPairs)->Unit(benchmark::kMicrosecond);

constexpr int kDrawsPerPair = 50;

struct Draw {
    Pair pair;
    std::size_t central;  // index of the pair it perturbs
};

const std::vector<Draw>& draws() {
    static const std::vector<Draw> list = [] {
        std::vector<Draw> out;
        std::mt19937_64 generator(20080101);
        const std::vector<Pair>& central = pairs();
        for (int d = 0; d < kDrawsPerPair; ++d) {
            for (std::size_t c = 0; c < central.size(); ++c) {
                Draw draw{central[c], c};
                for (Analysis* a : {&draw.pair.magnetite, &draw.pair.ilmenite}) {
                    for (double& wt : *a) {
                        if (wt <= 0.0) continue;
                        std::normal_distribution<double> normal(wt, std::max(0.02 * wt, 0.03));
                        wt = std::max(0.0, normal(generator));
                    }
                }
                out.push_back(draw);
            }
        }
        return out;
    }();
    return list;
}

void BM_Ge08ModelDraws(benchmark::State& state) {
    const std::vector<Draw>& list = draws();
    std::size_t next = 0;
    for (auto _ : state) {
        const Pair& p = list[next].pair;
        next = (next + 1) % list.size();
        benchmark::DoNotOptimize(kelvorad::ge08::computeGe08Model(p.magnetite, p.ilmenite, 2000.0));
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_Ge08ModelDraws)->Unit(benchmark::kMicrosecond);

// Each draw starts where its central pair's solve ended (the central solves are not timed).
void BM_Ge08ModelDrawsWarmStarted(benchmark::State& state) {
    const std::vector<Draw>& list = draws();
    std::vector<kelvorad::ge08::Ge08WarmStart> hints(pairs().size());
    for (std::size_t c = 0; c < hints.size(); ++c) {
        kelvorad::ge08::computeGe08Model(pairs()[c].magnetite, pairs()[c].ilmenite, 2000.0, nullptr,
                                         &hints[c]);
    }
    std::size_t next = 0;
    for (auto _ : state) {
        const Draw& d = list[next];
        next = (next + 1) % list.size();
        benchmark::DoNotOptimize(kelvorad::ge08::computeGe08Model(d.pair.magnetite, d.pair.ilmenite,
                                                                  2000.0, &hints[d.central]));
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_Ge08ModelDrawsWarmStarted)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
