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
      equilibrium(r.equilibrium) {
    if (r.fullModel) {
        tModel = r.fullModel->temperatureC;
        logFO2Model = r.fullModel->log10fO2;
        deltaNNOModel = r.fullModel->deltaNNO;
        deltaFMQModel = r.deltaFMQFullModel;
    }
}

void printSummary(const std::vector<SummaryLine>& results, const RunChoices& choices,
                  const std::string& input) {
    std::printf("Kelvorad: %zu pair%s from %s\n", results.size(), results.size() == 1 ? "" : "s",
                input.c_str());
    std::printf("Full model: %s\n", choices.fullModelCaption.c_str());
    std::printf("Ferric iron: %s; buffer of the older calibrations: %s\n\n",
                choices.ferricIronCaption.c_str(), choices.nnoPressureCaption.c_str());
    // The sample name comes last, so that a long name (a published sample with its locality)
    // keeps its columns in line.
    std::printf("%-35s  %-26s %9s %10s\n", "GE08 model", "AL85 (S83 fractions)", "S08",
                "GE08 reg.");
    std::printf("%8s %8s %8s %8s  %8s %8s %8s %9s %10s %11s  %s\n", "T(oC)", "logfO2", "DNNO",
                "DFMQ", "T(oC)", "logfO2", "DNNO", "T(oC)", "T(oC)", "BH88", "Sample");
    auto cell = [](double v, const char* format) {
        char text[32];
        if (isMissing(v)) return std::string("-");
        std::snprintf(text, sizeof text, format, v);
        return std::string(text);
    };
    for (const SummaryLine& r : results) {
        std::printf("%8s %8s %8s %8s  %8s %8s %8s %9s %10s %11s  %s\n",
                    cell(r.tModel, "%.1f").c_str(), cell(r.logFO2Model, "%.2f").c_str(),
                    cell(r.deltaNNOModel, "%.2f").c_str(), cell(r.deltaFMQModel, "%.2f").c_str(),
                    cell(r.tAL85, "%.1f").c_str(), cell(r.logFO2, "%.2f").c_str(),
                    cell(r.deltaNNO, "%.2f").c_str(), cell(r.tS08, "%.1f").c_str(),
                    cell(r.tGE08, "%.1f").c_str(),
                    std::string(equilibriumVerdictText(r.equilibrium)).c_str(), r.sample.c_str());
    }
    std::printf(
        "\nGE08 model: the Ghiorso and Evans (2008) thermodynamic model, at the run's "
        "pressure.\nGE08 reg.: the GE08 regression, a fit to the Sauerzapf et al. (2008) "
        "model, not the model itself.\nDNNO, DFMQ: log fO2 minus the NNO and FMQ "
        "buffers.\n");
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
