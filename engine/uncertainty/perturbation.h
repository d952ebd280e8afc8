#pragma once
// One Monte Carlo draw of an analysis pair: every analysed oxide of each phase moved
// independently by a normal error,
//   wt' = max(0, wt + sigma(wt) z),  z ~ N(0, 1),
// with sigma(wt) in wt% from the sigma table. A value drawn below 0 is set to 0. A blank oxide
// (0 or missing: the analysis table reads an empty cell as 0) stays as it is, so an oxide that
// was not analysed never gains a value.
//
// The z of oxide k of phase p in draw d of pair i is standardNormal(drawHash(seed, i, d),
// 16 p + k): the same for every thread count and order of work.

#include <cstdint>

#include "analysis_pair.h"
#include "sigma_table.h"

namespace kelvorad {

// Where a draw's numbers come from.
struct DrawAddress {
    std::uint64_t seed = 0;
    std::uint64_t pair = 0;  // the pair's index in the run
    std::uint64_t draw = 0;  // 0 to N - 1
};

// Writes the perturbed oxides of `pair` into `draw` (sample names are not copied: they play no
// part in a calculation, and leaving them out keeps a draw free of allocations).
void perturbPair(const AnalysisPair& pair, const SigmaTable& sigma, const DrawAddress& address,
                 AnalysisPair& draw);

}  // namespace kelvorad
