#include "monte_carlo_run.h"

#include <algorithm>
#include <atomic>
#include <mutex>

#include "perturbation.h"

namespace kelvorad {

namespace {
// Draws of one task: small enough to keep both cores busy on a single pair and to answer a
// stop request quickly, large enough that the task costs more than handing it out.
constexpr std::size_t kDrawsPerBlock = 64;
// Draws held in memory at once: pairs go through in batches of about this many draws.
constexpr std::size_t kDrawsPerBatch = 65536;
}  // namespace

MonteCarloRun::MonteCarloRun(const CalculationRun& calculation, const MonteCarloSettings& settings,
                             std::span<const UncertaintyQuantity> quantities)
    : calculation_(calculation), settings_(settings), quantities_(quantities) {}

std::vector<double> MonteCarloRun::quantityValues(const PairResult& result) const {
    std::vector<double> values;
    values.reserve(quantities_.size());
    for (const UncertaintyQuantity& q : quantities_) values.push_back(q.value(result));
    return values;
}

void MonteCarloRun::evaluateDraw(const AnalysisPair& pair, std::uint64_t pairIndex,
                                 std::uint64_t draw, const ge08::Ge08WarmStart& centralSolve,
                                 AnalysisPair& scratch, double* out, std::size_t stride) const {
    perturbPair(pair, settings_.sigma, {settings_.seed, pairIndex, draw}, scratch);
    const PairResult result = calculation_.computePair(scratch, {&centralSolve, nullptr});
    for (std::size_t q = 0; q < quantities_.size(); ++q)
        out[q * stride] = quantities_[q].value(result);
}

std::vector<std::vector<double>> MonteCarloRun::drawValues(const AnalysisPair& pair,
                                                           std::uint64_t pairIndex) const {
    const std::size_t n = settings_.draws;
    ge08::Ge08WarmStart centralSolve;
    calculation_.computePair(pair, {nullptr, &centralSolve});
    std::vector<double> flat(quantities_.size() * n);
    AnalysisPair scratch;
    for (std::size_t d = 0; d < n; ++d) {
        evaluateDraw(pair, pairIndex, d, centralSolve, scratch, &flat[d], n);
    }
    std::vector<std::vector<double>> values;
    for (std::size_t q = 0; q < quantities_.size(); ++q) {
        values.emplace_back(flat.begin() + static_cast<std::ptrdiff_t>(q * n),
                            flat.begin() + static_cast<std::ptrdiff_t>((q + 1) * n));
    }
    return values;
}

std::optional<std::vector<PairUncertainty>> MonteCarloRun::run(std::span<const AnalysisPair> pairs,
                                                               ThreadPool& pool,
                                                               const MonteCarloControl& control,
                                                               std::uint64_t firstPairIndex) const {
    const std::size_t n = settings_.draws;
    const std::size_t quantityCount = quantities_.size();
    const std::uint64_t total = static_cast<std::uint64_t>(pairs.size()) * n;
    const std::size_t blocksPerPair = (n + kDrawsPerBlock - 1) / kDrawsPerBlock;
    const std::size_t pairsPerBatch =
        std::max<std::size_t>(1, kDrawsPerBatch / std::max<std::size_t>(n, 1));

    std::vector<PairUncertainty> results(pairs.size());
    std::atomic<std::uint64_t> done{0};
    std::mutex progressMutex;
    std::vector<ge08::Ge08WarmStart> centralSolves;
    std::vector<double> values;  // [pair of the batch][quantity][draw]

    for (std::size_t first = 0; first < pairs.size(); first += pairsPerBatch) {
        const std::size_t batch = std::min(pairsPerBatch, pairs.size() - first);
        centralSolves.assign(batch, ge08::Ge08WarmStart{});
        values.assign(batch * quantityCount * n, kMissing);

        pool.parallelFor(batch, [&](std::size_t k) {
            if (control.stop.stop_requested()) return;
            const PairResult central =
                calculation_.computePair(pairs[first + k], {nullptr, &centralSolves[k]});
            results[first + k].central = quantityValues(central);
        });

        pool.parallelFor(batch * blocksPerPair, [&](std::size_t task) {
            const std::size_t k = task / blocksPerPair;
            const std::size_t begin = (task % blocksPerPair) * kDrawsPerBlock;
            const std::size_t end = std::min(begin + kDrawsPerBlock, n);
            const std::uint64_t pairIndex = firstPairIndex + first + k;
            double* pairValues = values.data() + k * quantityCount * n;
            AnalysisPair scratch;
            for (std::size_t d = begin; d < end; ++d) {
                if (control.stop.stop_requested()) return;
                evaluateDraw(pairs[first + k], pairIndex, d, centralSolves[k], scratch,
                             pairValues + d, n);
            }
            done.fetch_add(end - begin);
            if (control.progress) {
                std::scoped_lock lock(progressMutex);
                control.progress(done.load(), total);
            }
        });
        if (control.stop.stop_requested()) return std::nullopt;

        pool.parallelFor(batch, [&](std::size_t k) {
            std::vector<double> scratch;
            scratch.reserve(n);
            PairUncertainty& pair = results[first + k];
            pair.draws.resize(quantityCount);
            for (std::size_t q = 0; q < quantityCount; ++q) {
                const double* drawn = values.data() + (k * quantityCount + q) * n;
                pair.draws[q] = summariseDraws({drawn, n}, scratch);
            }
        });
    }
    if (control.stop.stop_requested()) return std::nullopt;
    return results;
}

}  // namespace kelvorad
