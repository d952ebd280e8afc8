#pragma once
// The command line's run over many pairs: the input is read a chunk of rows at a time and the
// chunks are computed on every core by the engine's runChunksInOrder, their output handed back
// in input order. Memory stays bounded by the chunks in flight, whatever the number of pairs.

#include <functional>
#include <string>
#include <vector>

#include "calc_summary.h"
#include "calculation_run.h"
#include "cell_notices.h"
#include "monte_carlo_run.h"
#include "pair_input.h"

namespace kelvorad {

// What the run must produce besides the plot data lines.
struct Wants {
    bool rows = false;
    bool table = false;
    bool summary = false;
    bool cellNotices = false;
    // A Monte Carlo run of every pair: uncertainty columns in the table, the spread in the
    // summary lines and the plot sigma lines. Null for none.
    const MonteCarloSettings* monteCarlo = nullptr;
};

// The output of consecutive input rows, in order.
struct Chunk {
    std::string rows;   // results rows, each ended by LF
    std::string table;  // the same rows padded to the results table's 211 columns (with the
                        // uncertainty columns when asked for)
    PlotBuffers plots;
    PlotSigmaBuffers plotSigmas;  // with a Monte Carlo run
    bool newerDeltaNNOLines = false;
    std::vector<SummaryLine> summary;
    std::vector<CellNotice> notices;  // oxide cells that are not plain numbers
    long pairs = 0;                   // results rows of the chunk
    std::string firstSample;
    std::string lastSample;
};

// Reads `input` to its end and runs every pair through the engine (rows whose cells are all
// blank are skipped), on several threads when there is more than one chunk; `consume` gets the
// chunks in input order on the calling thread. A Monte Carlo run draws pair k of the input (k
// counting the pairs, blank rows left out) from the pair index k, however the input is
// chunked, so its numbers are those of one run over all the pairs.
void processInChunks(const CalculationRun& run, PairSource& input, const Wants& wants,
                     const std::function<void(const Chunk&)>& consume);

}  // namespace kelvorad
