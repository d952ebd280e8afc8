#pragma once
// The summary "kelvorad calc" prints for a reader at the terminal: the main estimates of each
// pair (the full model, Andersen and Lindsley with Stormer fractions, and the newer models) and
// the lines
// each plot data file received.

#include <array>
#include <string>
#include <vector>

#include "calculation_run.h"

namespace kelvorad {

// The estimates the summary shows for one pair.
struct SummaryLine {
    std::string sample;
    double tModel = kMissing, logFO2Model = kMissing, deltaNNOModel = kMissing;
    double deltaFMQModel = kMissing;
    double tAL85, logFO2, deltaNNO, tS08, tGE08;
    EquilibriumVerdict equilibrium;

    explicit SummaryLine(const PairResult& r);
};

// Prints the table of estimates on standard output.
void printSummary(const std::vector<SummaryLine>& results, const RunChoices& choices,
                  const std::string& input);

// Prints the folder of the plot data files and the data lines each received.
void printPlotFileCounts(const std::string& folder,
                         const std::array<long, kPlotFileCount>& lineCounts);

}  // namespace kelvorad
