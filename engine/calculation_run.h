#pragma once
// The calculation run: decodes the method options once, then takes each analysis pair through
// the stages in order - structural formulae and ferric iron, end-member fractions, the oxide
// thermometers and oxygen barometers with NNO, log(Mg/Mn) and cation sums, the newer models,
// the equilibrium test with the withdrawal it orders - and hands back the pair's results.
//
// Row selection: rows are taken in order and a row is skipped only when all 35 of its analysis
// cells are blank, so no pair after a gap or after a row without magnetite FeO is ever lost.
// Failed steps leave their quantity missing for that pair only; nothing carries over from the
// previous pair.

#include <functional>
#include <string>
#include <string_view>

#include "method_options.h"
#include "pair_result.h"
#include "plot_data_files.h"

namespace kelvorad {

class CalculationRun {
  public:
    // Applies the run's start steps to `checks` (defaults checked, a default unchecked where
    // another item of its group is checked) and keeps the decoded choices.
    explicit CalculationRun(MethodChecks& checks);

    const RunChoices& choices() const { return choices_; }
    const MethodChecks& checks() const { return checks_; }

    // Every stage for one pair, the equilibrium test's withdrawal and the blanking of a
    // missing ilmenite included. Does not touch the option states.
    PairResult computePair(const AnalysisPair& pair) const { return computePair(pair, {}); }

    // Where the full model's solve of a pair starts and where it ended: a Monte Carlo draw of a
    // perturbed pair starts from the end of the unperturbed pair's solve, which needs fewer and
    // cheaper steps to the same root. Either may be null.
    struct FullModelStart {
        const ge08::Ge08WarmStart* from = nullptr;
        ge08::Ge08WarmStart* reached = nullptr;
    };
    PairResult computePair(const AnalysisPair& pair, const FullModelStart& start) const;

    // One pair through every stage, its plot data lines (when `plots` is given) and its results
    // row, which is appended to `row` (134 TAB-joined fields, no line end). A pair that writes
    // a Sauerzapf or Ghiorso-Evans T-DeltaNNO line unchecks the Andersen and Lindsley
    // T-DeltaNNO item. `result` receives the pair's results when given.
    void processPair(const AnalysisPair& pair, PlotDataWriter* plots, std::string& row,
                     PairResult* result = nullptr);

    // Records that pairs wrote Sauerzapf or Ghiorso-Evans T-DeltaNNO lines (see processPair),
    // for callers that compute pairs with computePair and write plot lines themselves.
    void noteNewerDeltaNNOLinesWritten() { checks_.setChecked(MethodItem::TNNOAL85, false); }

    // Every row of a table-like source, in order: rows whose 35 analysis cells are all blank
    // are skipped. `cellAt(row, k)` gives analysis cell k (0 to 34, table columns 1 to 35) of
    // a row; `onRow(result, rowText)` receives each processed pair. Returns the pair count.
    template <typename CellAt, typename OnRow>
    int processRows(int firstRow, int lastRow, CellAt&& cellAt, PlotDataWriter* plots,
                    OnRow&& onRow);

  private:
    MethodChecks& checks_;
    RunChoices choices_;
    NewerModelOptions newerOptions_;
    bool applyEquilibriumTest_;
    bool computeFullModel_;
};

template <typename CellAt, typename OnRow>
int CalculationRun::processRows(int firstRow, int lastRow, CellAt&& cellAt, PlotDataWriter* plots,
                                OnRow&& onRow) {
    int pairs = 0;
    std::string row;
    PairResult result;
    for (int r = firstRow; r <= lastRow; ++r) {
        auto cell = [&](int k) { return cellAt(r, k); };
        if (isBlankPairRow(cell)) continue;
        row.clear();
        processPair(readAnalysisPair(cell), plots, row, &result);
        onRow(static_cast<const PairResult&>(result), static_cast<const std::string&>(row));
        ++pairs;
    }
    return pairs;
}

// Sets the pair's DeltaFMQ values from its full model and Andersen and Lindsley (1985) values
// at `pressureBars` (the pair carries the full model's results).
void addDeltaFMQ(PairResult& result, double pressureBars);

// Replaces every temperature, log fO2 and DeltaNNO value of the pair by missing (with the full
// model's values, aTiO2 included; its status stays).
void withdrawEstimates(PairResult& result);

// Blanks the ilmenite half of a pair without ilmenite (TiO2 of 0): its sample, oxides, totals
// and cations, the oxygen-basis factors, every fraction and every estimate. The magnetite
// half, log(Mg/Mn), cation sums and the test result stay.
void blankMissingIlmenite(PairResult& result);

}  // namespace kelvorad
