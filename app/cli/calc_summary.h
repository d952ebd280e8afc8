#pragma once
// The summary "kelvorad calc" prints for a reader at the terminal: the main estimates of each
// pair (the full model, Andersen and Lindsley with Stormer fractions, and the newer models) and
// the lines
// each plot data file received.

#include <array>
#include <string>
#include <vector>

#include "calculation_run.h"
#include "monte_carlo_run.h"

namespace kelvorad {

// The estimates the summary shows for one pair.
struct SummaryLine {
    std::string sample;
    double tModel = kMissing, logFO2Model = kMissing, deltaNNOModel = kMissing;
    double deltaFMQModel = kMissing;
    double tAL85, logFO2, deltaNNO, tS08, tGE08;
    EquilibriumVerdict equilibrium;
    // With a Monte Carlo run: the one sigma of the estimates above (missing where the draws
    // gave none) and the share of the tested draws that pass the equilibrium test.
    double sdTModel = kMissing, sdLogFO2Model = kMissing, sdDeltaNNOModel = kMissing;
    double sdDeltaFMQModel = kMissing;
    double sdTAL85 = kMissing, sdLogFO2 = kMissing, sdDeltaNNO = kMissing, sdTS08 = kMissing,
           sdTGE08 = kMissing;
    double passFraction = kMissing;

    // `spread`: the pair's Monte Carlo summary (kUncertaintyQuantities' order), or null.
    explicit SummaryLine(const PairResult& r, const PairUncertainty* spread = nullptr);
};

// Prints the table of estimates on standard output; with a Monte Carlo run (`monteCarlo` not
// null) a second table of the same estimates as "value +/- sigma" follows, and the models'
// published calibration uncertainty, which the propagated one leaves out.
void printSummary(const std::vector<SummaryLine>& results, const RunChoices& choices,
                  const std::string& input, const MonteCarloSettings* monteCarlo = nullptr);

// "830 ± 14 °C": the value and its sigma rounded to the sigma's second significant digit (at
// most 3 decimals; `decimals` when the sigma is 0), then a blank and the unit unless it is
// empty. "-" for a missing value; the value alone for a missing sigma.
std::string plusMinusText(double value, double sigma, int decimals, std::string_view unit);

// Prints the folder of the plot data files and the data lines each received.
void printPlotFileCounts(const std::string& folder,
                         const std::array<long, kPlotFileCount>& lineCounts);

}  // namespace kelvorad
