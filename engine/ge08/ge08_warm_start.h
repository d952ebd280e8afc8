#pragma once
// Where a solve of the full Ghiorso and Evans (2008) model for one pair ended: the temperatures
// it evaluated last and the ordering of both phases there. A solve of a similar pair (a Monte
// Carlo draw of a perturbed analysis) started from it needs fewer and cheaper ordering solves
// (see computeGe08Model in ge08_model.h). Plain numbers: one warm start can be shared by many
// solves on several threads.

#include <array>
#include <limits>

namespace kelvorad::ge08 {

// A missing value is NaN, as everywhere in the engine; the model stands below the engine's
// run and does not include it, so it names NaN itself.
inline constexpr double kMissing = std::numeric_limits<double>::quiet_NaN();

struct Ge08WarmStart {
    struct Point {
        double temperatureK = kMissing;                // missing: not reached
        std::array<double, 3> spinelOrdering{};        // s1, s2, s4
        std::array<double, 3> rhombohedralOrdering{};  // s_il, s_gk, s_py
        // The ordering of the pure end-members in their own phases (starts of their
        // minimisations; missing where not found).
        std::array<double, 5> spinelPureOrdering{kMissing, kMissing, kMissing, kMissing, kMissing};
        std::array<double, 5> rhombohedralPureOrdering{kMissing, kMissing, kMissing, kMissing,
                                                       kMissing};
    };
    Point low;       // 500 K, the lower end of both temperature searches
    Point feMgHigh;  // 2000 K, the upper end of the Fe-Mg search
    Point feTiHigh;  // 2500 K, the upper end of the Fe-Ti search
    Point feMg;      // at the Fe-Mg exchange temperature
    Point feTi;      // at the Fe-Ti exchange temperature
};

}  // namespace kelvorad::ge08
