#include "chunked_run.h"

#include "chunks_in_order.h"
#include "results_row.h"
#include "results_table.h"

namespace kelvorad {

namespace {

Chunk processChunk(const CalculationRun& run, const MethodChecks& checks,
                   const std::vector<PairRow>& rows, const Wants& wants) {
    Chunk chunk;
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
        if (wants.table) {
            chunk.table.append(text).append(result.fullModel ? fullPadding : shortPadding);
            chunk.table.push_back('\n');
        }
        if (appendPlotLines(chunk.plots, result, checks)) chunk.newerDeltaNNOLines = true;
        if (wants.summary) chunk.summary.emplace_back(result);
    }
    return chunk;
}

}  // namespace

void processInChunks(const CalculationRun& run, PairSource& input, const Wants& wants,
                     const std::function<void(const Chunk&)>& consume) {
    // The workers read a copy of the option states; the run itself updates the real ones.
    const MethodChecks checks = run.checks();
    // The full thermodynamic model costs about 300 us a pair: small chunks spread even a
    // table of 350 pairs over the cores.
    const std::size_t kChunkRows = checks.isChecked(MethodItem::GE08Model) ? 64 : 1024;
    ThreadPool pool;
    runChunksInOrder<std::vector<PairRow>>(
        pool, [&](std::vector<PairRow>& rows) { return input.read(rows, kChunkRows); },
        [&](const std::vector<PairRow>& rows) { return processChunk(run, checks, rows, wants); },
        [&](const Chunk& chunk) { consume(chunk); });
}

}  // namespace kelvorad
