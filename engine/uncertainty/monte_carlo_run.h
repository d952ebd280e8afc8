#pragma once
// Propagation of the analytical uncertainty of the analyses to every estimate, by Monte Carlo.
//
// For each pair the run first computes the unperturbed pair (its central results), then N
// perturbed copies of it (perturbation.h), each through the whole calculation with the options
// of the calculation run (the full model included when it is on), and reports for every
// quantity of uncertainty_quantities.h its central value and, over the draws, the mean,
// standard deviation, 2.5th and 97.5th percentiles and the number of draws that gave a value
// (draw_statistics.h).
//
// The draws of a pair are split into blocks that the thread pool runs in any order; every draw
// is addressed by (seed, pair index, draw index), so the numbers are the same, bit for bit,
// whatever the thread count. The calculation run must not change while a run is going on.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <stop_token>
#include <vector>

#include "calculation_run.h"
#include "draw_statistics.h"
#include "sigma_table.h"
#include "thread_pool.h"
#include "uncertainty_quantities.h"

namespace kelvorad {

struct MonteCarloSettings {
    std::size_t draws = 1000;  // N, per pair
    std::uint64_t seed = 1;
    SigmaTable sigma;  // the defaults unless set
};

struct PairUncertainty {
    std::vector<double> central;        // each quantity of the unperturbed pair
    std::vector<DrawStatistics> draws;  // each quantity over the N draws
};

// How a caller follows and stops a run.
struct MonteCarloControl {
    // Checked before every draw: once stop is requested the run ends without results.
    std::stop_token stop;
    // Draws done so far and in all. Called after every block of draws, from the pool's
    // threads, one call at a time, with counts that never go down; it should return quickly.
    std::function<void(std::uint64_t done, std::uint64_t total)> progress;
};

class MonteCarloRun {
  public:
    // Draws of the given calculation run's pairs; `quantities` are the quantities reported (the
    // table of uncertainty_quantities.h unless a caller wants others), kept by reference.
    MonteCarloRun(const CalculationRun& calculation, const MonteCarloSettings& settings,
                  std::span<const UncertaintyQuantity> quantities = kUncertaintyQuantities);

    const MonteCarloSettings& settings() const { return settings_; }
    std::span<const UncertaintyQuantity> quantities() const { return quantities_; }

    // One PairUncertainty per pair, in order; nothing when the run was stopped. pairs[k] is
    // the pair of index firstPairIndex + k in the whole input, so that a run split into chunks
    // draws the same numbers as one run over everything.
    std::optional<std::vector<PairUncertainty>> run(std::span<const AnalysisPair> pairs,
                                                    ThreadPool& pool,
                                                    const MonteCarloControl& control = {},
                                                    std::uint64_t firstPairIndex = 0) const;

    // Every quantity's value in every draw of one pair (values[quantity][draw]), on the
    // calling thread: the numbers run() summarises.
    std::vector<std::vector<double>> drawValues(const AnalysisPair& pair,
                                                std::uint64_t pairIndex) const;

  private:
    // The values of one draw, written to out[q * stride] for every quantity q. The full
    // model's solve starts where the unperturbed pair's solve ended (`centralSolve`).
    void evaluateDraw(const AnalysisPair& pair, std::uint64_t pairIndex, std::uint64_t draw,
                      const ge08::Ge08WarmStart& centralSolve, AnalysisPair& scratch, double* out,
                      std::size_t stride) const;
    std::vector<double> quantityValues(const PairResult& result) const;

    const CalculationRun& calculation_;
    MonteCarloSettings settings_;
    std::span<const UncertaintyQuantity> quantities_;
};

}  // namespace kelvorad
