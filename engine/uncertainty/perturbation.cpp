#include "perturbation.h"

#include <algorithm>

#include "counter_random.h"

namespace kelvorad {

namespace {
void perturbPhase(const OxideValues& wt, const SigmaTable& sigma, Phase phase, std::uint64_t hash,
                  OxideValues& out) {
    const int firstSlot = static_cast<int>(phase) * kOxideCount;
    for (int k = 0; k < kOxideCount; ++k) {
        const double value = wt[k];
        // A blank oxide stays blank.
        if (value == 0.0 || isMissing(value)) {
            out[k] = value;
            continue;
        }
        const double z = standardNormal(hash, static_cast<std::uint64_t>(firstSlot + k));
        out[k] = std::max(0.0, value + sigma.sigmaWt(phase, k, value) * z);
    }
}
}  // namespace

void perturbPair(const AnalysisPair& pair, const SigmaTable& sigma, const DrawAddress& address,
                 AnalysisPair& draw) {
    const std::uint64_t hash = drawHash(address.seed, address.pair, address.draw);
    perturbPhase(pair.magnetite.wt, sigma, Phase::magnetite, hash, draw.magnetite.wt);
    perturbPhase(pair.ilmenite.wt, sigma, Phase::ilmenite, hash, draw.ilmenite.wt);
}

}  // namespace kelvorad
