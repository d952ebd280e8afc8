#include "calc_summary.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "calibration_uncertainty.h"

namespace kelvorad {

namespace {
// One sigma of a named quantity of kUncertaintyQuantities.
const DrawStatistics& spreadOf(const PairUncertainty& spread, std::string_view name) {
    const UncertaintyQuantity* q = findUncertaintyQuantity(name);
    return spread.draws.at(static_cast<std::size_t>(q - kUncertaintyQuantities.data()));
}

// The text followed by blanks to `width` characters (UTF-8: "±" and "°" count as one).
std::string padded(std::string text, std::size_t width) {
    const auto characters =
        static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
            return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
        }));
    if (characters < width) text.append(width - characters, ' ');
    return text;
}

void printSpread(const std::vector<SummaryLine>& results, const MonteCarloSettings& settings) {
    std::printf("\nAnalytical uncertainty, one sigma from %zu draws a pair (seed %llu):\n",
                settings.draws, static_cast<unsigned long long>(settings.seed));
    const std::vector<std::pair<const char*, std::size_t>> heads = {
        {"Sample", 16}, {"GE08 model T", 15}, {"logfO2", 15},  {"DNNO", 13},
        {"DFMQ", 13},   {"AL85 S83 T", 15},   {"logfO2", 15},  {"DNNO", 13},
        {"S08 T", 15},  {"GE08 reg. T", 15},  {"BH88 pass", 0}};
    std::string line;
    for (const auto& [head, width] : heads) line += padded(head, width) + " ";
    line.pop_back();
    std::printf("%s\n", line.c_str());
    for (const SummaryLine& r : results) {
        const std::string pass =
            isMissing(r.passFraction)
                ? "-"
                : std::to_string(static_cast<int>(std::lround(100 * r.passFraction))) + " %";
        const std::array<std::string, 11> cells = {
            r.sample,
            plusMinusText(r.tModel, r.sdTModel, 1, "°C"),
            plusMinusText(r.logFO2Model, r.sdLogFO2Model, 2, ""),
            plusMinusText(r.deltaNNOModel, r.sdDeltaNNOModel, 2, ""),
            plusMinusText(r.deltaFMQModel, r.sdDeltaFMQModel, 2, ""),
            plusMinusText(r.tAL85, r.sdTAL85, 1, "°C"),
            plusMinusText(r.logFO2, r.sdLogFO2, 2, ""),
            plusMinusText(r.deltaNNO, r.sdDeltaNNO, 2, ""),
            plusMinusText(r.tS08, r.sdTS08, 1, "°C"),
            plusMinusText(r.tGE08, r.sdTGE08, 1, "°C"),
            pass};
        line.clear();
        for (std::size_t k = 0; k < cells.size(); ++k)
            line += padded(cells[k], heads[k].second) + " ";
        while (!line.empty() && line.back() == ' ') line.pop_back();
        std::printf("%s\n", line.c_str());
    }
    std::printf(
        "Sigma: the spread of each estimate over the draws, from the analytical errors of the "
        "oxides alone.\nBH88 pass: the share of the tested draws that pass the equilibrium "
        "test.\nCalibration uncertainty as published, not included above:\n");
    for (const CalibrationUncertainty& c : kCalibrationUncertainties) {
        std::printf("  %s %s: %s\n", std::string(c.model).c_str(), std::string(c.quantity).c_str(),
                    calibrationText(c).c_str());
    }
}
}  // namespace

std::string plusMinusText(double value, double sigma, int decimals, std::string_view unit) {
    if (isMissing(value)) return "-";
    std::string text;
    char number[64];
    if (!isMissing(sigma)) {
        if (sigma > 0) {
            decimals = std::clamp(1 - static_cast<int>(std::floor(std::log10(sigma))), 0, 3);
        }
        std::snprintf(number, sizeof number, "%.*f ± %.*f", decimals, value, decimals, sigma);
    } else {
        std::snprintf(number, sizeof number, "%.*f", decimals, value);
    }
    text = number;
    if (!unit.empty()) text.append(" ").append(unit);
    return text;
}

SummaryLine::SummaryLine(const PairResult& r, const PairUncertainty* spread)
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
    if (!spread) return;
    const auto sd = [spread](std::string_view name) { return spreadOf(*spread, name).sd; };
    sdTModel = sd("T_GE08_model");
    sdLogFO2Model = sd("logfO2_GE08_model");
    sdDeltaNNOModel = sd("DeltaNNO_GE08_model");
    sdDeltaFMQModel = sd("DeltaFMQ_GE08_model");
    sdTAL85 = sd("T_AL85_S83");
    sdLogFO2 = sd("logfO2_AL85_S83");
    sdDeltaNNO = sd("DeltaNNO_AL85_S83");
    sdTS08 = sd("T_S08");
    sdTGE08 = sd("T_GE08_regression");
    passFraction = spreadOf(*spread, "EquilibriumTest_pass").mean;
}

void printSummary(const std::vector<SummaryLine>& results, const RunChoices& choices,
                  const std::string& input, const MonteCarloSettings* monteCarlo) {
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
    if (monteCarlo) printSpread(results, *monteCarlo);
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
