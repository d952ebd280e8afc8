#include "calc_summary.h"

#include <cstdio>

namespace kelvorad {

SummaryLine::SummaryLine(const PairResult& r)
    : sample(r.input.magnetite.sample),
      tAL85(r.thermometry.tAL85[3]),
      logFO2(r.thermometry.fo2AL85[3]),
      deltaNNO(r.thermometry.deltaNNOAL85[3]),
      tS08(r.newer.tS08),
      tGE08(r.newer.tGE08),
      equilibrium(r.equilibrium) {}

void printSummary(const std::vector<SummaryLine>& results, const RunChoices& choices,
                  const std::string& input) {
    std::printf("Kelvorad: %zu pair%s from %s\n", results.size(), results.size() == 1 ? "" : "s",
                input.c_str());
    std::printf("Ferric iron: %s; buffer: %s\n\n", choices.ferricIronCaption.c_str(),
                choices.nnoPressureCaption.c_str());
    std::printf("%-16s %10s %10s %10s %10s %10s %8s\n", "Sample", "T AL85(oC)", "logfO2",
                "DeltaNNO", "T S08(oC)", "T GE08(oC)", "BH88");
    auto cell = [](double v, const char* format) {
        char text[32];
        if (isMissing(v)) return std::string("-");
        std::snprintf(text, sizeof text, format, v);
        return std::string(text);
    };
    for (const SummaryLine& r : results) {
        std::printf("%-16s %10s %10s %10s %10s %10s %8s\n", r.sample.c_str(),
                    cell(r.tAL85, "%.1f").c_str(), cell(r.logFO2, "%.2f").c_str(),
                    cell(r.deltaNNO, "%.2f").c_str(), cell(r.tS08, "%.1f").c_str(),
                    cell(r.tGE08, "%.1f").c_str(),
                    std::string(equilibriumVerdictText(r.equilibrium)).c_str());
    }
}

void printPlotFileCounts(const std::string& folder,
                         const std::array<long, kPlotFileCount>& lineCounts) {
    std::printf("\nPlot data files in %s:", folder.c_str());
    for (int k = 0; k < kPlotFileCount; ++k) {
        std::printf(" %s (%ld)", std::string(plotFiles()[k].fileName).c_str(), lineCounts[k]);
    }
    std::printf("\n");
}

}  // namespace kelvorad
