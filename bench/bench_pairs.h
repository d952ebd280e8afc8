#pragma once
// Generated magnetite-ilmenite pairs for the benchmarks: realistic compositions with random
// variation (fixed seed), so every run measures the same work.
#include <random>
#include <string>
#include <vector>

#include "analysis_pair.h"

namespace kelvorad::bench {

inline AnalysisPair generatedPair(std::mt19937_64& random, int index) {
    std::uniform_real_distribution<double> u(0.0, 1.0);
    const auto around = [&](double value, double spread) {
        return value * (1.0 + spread * (2.0 * u(random) - 1.0));
    };
    AnalysisPair p;
    p.magnetite.sample = "MT-" + std::to_string(index);
    p.ilmenite.sample = "ILM-" + std::to_string(index);
    auto& m = p.magnetite.wt;
    m[SiO2] = around(0.12, 0.5), m[TiO2] = around(9.0, 0.4), m[Al2O3] = around(2.0, 0.4);
    m[V2O3] = around(0.45, 0.5), m[Cr2O3] = around(0.1, 0.8), m[FeO] = around(79.5, 0.05);
    m[MnO] = around(0.45, 0.4), m[ZnO] = around(0.1, 0.5), m[MgO] = around(1.4, 0.4);
    m[CaO] = around(0.03, 0.9);
    auto& i = p.ilmenite.wt;
    i[SiO2] = around(0.04, 0.8), i[TiO2] = around(44.0, 0.08), i[Al2O3] = around(0.2, 0.5);
    i[V2O3] = around(0.3, 0.5), i[FeO] = around(49.0, 0.06), i[MnO] = around(0.6, 0.4);
    i[MgO] = around(2.4, 0.4), i[CaO] = around(0.02, 0.9);
    return p;
}

inline std::vector<AnalysisPair> generatedPairs(std::size_t count) {
    std::mt19937_64 random(20261208);
    std::vector<AnalysisPair> pairs;
    pairs.reserve(count);
    for (std::size_t k = 0; k < count; ++k) pairs.push_back(generatedPair(random, int(k)));
    return pairs;
}

// A pair as one TAB-separated text line in the analysis table's layout.
inline std::string pairLine(const AnalysisPair& p) {
    std::string line = p.magnetite.sample;
    char number[32];
    for (double v : p.magnetite.wt) {
        std::snprintf(number, sizeof number, "\t%.2f", v);
        line += v > 0 ? number : "\t";
    }
    line += "\t\t" + p.ilmenite.sample;
    for (double v : p.ilmenite.wt) {
        std::snprintf(number, sizeof number, "\t%.2f", v);
        line += v > 0 ? number : "\t";
    }
    return line;
}

}  // namespace kelvorad::bench
