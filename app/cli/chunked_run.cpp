#include "chunked_run.h"

#include <algorithm>

#include "chunks_in_order.h"
#include "results_row.h"
#include "results_table.h"
#include "uncertainty_columns.h"

namespace kelvorad {

namespace {

// Rows read at once, and the index in the whole input of their first non-blank pair.
struct ChunkInput {
    std::vector<PairRow> rows;
    std::uint64_t firstPair = 0;
};

// The Monte Carlo summary of the chunk's pairs, computed on the calling thread (the chunks
// themselves run side by side on the pool); empty without a Monte Carlo run.
std::vector<PairUncertainty> drawChunk(const CalculationRun& run, const ChunkInput& input,
                                       const MonteCarloSettings* settings) {
    if (!settings) return {};
    std::vector<AnalysisPair> pairs;
    for (const PairRow& row : input.rows) {
        const auto cell = [&](int k) -> std::string_view { return row.cells[k]; };
        if (!isBlankPairRow(cell)) pairs.push_back(readAnalysisPair(cell));
    }
    ThreadPool thisThread(1);
    return *MonteCarloRun(run, *settings).run(pairs, thisThread, {}, input.firstPair);
}

Chunk processChunk(const CalculationRun& run, const MethodChecks& checks, const ChunkInput& input,
                   const Wants& wants) {
    Chunk chunk;
    const std::vector<PairUncertainty> uncertainty = drawChunk(run, input, wants.monteCarlo);
    const std::vector<PairRow>& rows = input.rows;
    std::string text;
    const std::string shortPadding(ResultsTable::kColumns - kResultsRowFields, '\t');
    const std::string fullPadding(ResultsTable::kColumns - kResultsRowFieldsWithFullModel, '\t');
    for (const PairRow& input : rows) {
        const auto cell = [&](int k) -> std::string_view { return input.cells[k]; };
        if (isBlankPairRow(cell)) continue;
        if (wants.cellNotices) findCellNotices(input.position, cell, chunk.notices);
        const PairResult result = run.computePair(readAnalysisPair(cell));
        if (chunk.pairs++ == 0) chunk.firstSample = result.input.magnetite.sample;
        chunk.lastSample = result.input.magnetite.sample;
        text.clear();
        appendResultsRow(text, result);
        if (wants.rows) chunk.rows.append(text).push_back('\n');
        const PairUncertainty* spread =
            wants.monteCarlo ? &uncertainty[std::size_t(chunk.pairs - 1)] : nullptr;
        if (wants.table) {
            if (spread) {
                appendUncertaintyFields(text, *spread);
                chunk.table.append(text).append(
                    ResultsTable::kColumns - kUncertaintyFirstColumn - kUncertaintyColumnCount,
                    '\t');
            } else {
                chunk.table.append(text).append(result.fullModel ? fullPadding : shortPadding);
            }
            chunk.table.push_back('\n');
        }
        const bool newerLines = spread ? appendPlotLines(chunk.plots, result, checks,
                                                         plotSigmas(*spread), chunk.plotSigmas)
                                       : appendPlotLines(chunk.plots, result, checks);
        if (newerLines) chunk.newerDeltaNNOLines = true;
        if (wants.summary) chunk.summary.emplace_back(result, spread);
    }
    return chunk;
}

// Rows a chunk reads: enough pairs to spread a table of a few hundred over the cores (the full
// thermodynamic model costs about 300 us a pair), and with a Monte Carlo run about 4,000
// draws, so that the chunks in flight stay small and even.
std::size_t chunkRows(const MethodChecks& checks, const MonteCarloSettings* monteCarlo) {
    const std::size_t plain = checks.isChecked(MethodItem::GE08Model) ? 64 : 1024;
    if (!monteCarlo) return plain;
    return std::clamp<std::size_t>(4000 / monteCarlo->draws, 1, plain);
}

}  // namespace

void processInChunks(const CalculationRun& run, PairSource& input, const Wants& wants,
                     const std::function<void(const Chunk&)>& consume) {
    // The workers read a copy of the option states; the run itself updates the real ones.
    const MethodChecks checks = run.checks();
    const std::size_t rowsPerChunk = chunkRows(checks, wants.monteCarlo);
    std::uint64_t pairsRead = 0;
    ThreadPool pool;
    runChunksInOrder<ChunkInput>(
        pool,
        [&](ChunkInput& chunk) {
            if (!input.read(chunk.rows, rowsPerChunk)) return false;
            chunk.firstPair = pairsRead;
            for (const PairRow& row : chunk.rows) {
                const auto cell = [&](int k) -> std::string_view { return row.cells[k]; };
                if (!isBlankPairRow(cell)) ++pairsRead;
            }
            return true;
        },
        [&](const ChunkInput& chunk) { return processChunk(run, checks, chunk, wants); },
        [&](const Chunk& chunk) { consume(chunk); });
}

}  // namespace kelvorad
