#include "plot_data_files.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>

#include "number_text.h"

namespace kelvorad {

namespace {

constexpr std::array<PlotFileSpec, kPlotFileCount> kPlotFiles{{
    {"TlogfO2.dat", "SampleNo T(oC) logfO2"},
    {"TfO2SL81.dat", "SampleNo T(oC) logfO2"},
    {"TfO2BL64Grid.dat", "SampleNo T(oC) logfO2"},
    {"XUspXIlm.dat", "SampleNo XUsp XIlm"},
    {"MgMnIlmMagBH88.dat", "SampleNo Ilm(Mg/Mn) Mag(Mg/Mn)"},
    {"TiR2R3.dat", "SampleNo TiMag R2+Mag R3+Mag SampleNo TiIlm R2+Ilm R3+Ilm"},
    {"TDeltaNNO.dat", "SampleNo T(oC) DeltaNNO"},
}};

constexpr std::array<PlotFileSpec, kPlotSigmaFileCount> kPlotSigmaFiles{{
    {"TlogfO2Sigma.dat", "sdT(oC) sdlogfO2"},
    {"TDeltaNNOSigma.dat", "sdT(oC) sdDeltaNNO"},
}};

constexpr std::size_t kFlushSize = 1 << 16;

// Inclusive window test; a missing value lies outside every window.
bool within(double value, double low, double high) {
    return value >= low && value <= high;
}

void line(std::string& out, std::string_view sample, std::initializer_list<double> values) {
    appendPlotText(out, sample);
    for (double v : values) appendPlotNumber(out, v);
    out += "\r\n";
}

// The T and log fO2 of each plot-method item, in the order the items are examined.
struct MethodValues {
    MethodItem item;
    const std::array<double, 4> OxideThermometry::*temperature;
    const std::array<double, 4> OxideThermometry::*oxygen;
    std::size_t scheme;
};

constexpr std::array<MethodValues, 12> kMethodValues{{
    {MethodItem::PP77uC67, &OxideThermometry::tP77, &OxideThermometry::fo2P77, 0},
    {MethodItem::SL81uC67, &OxideThermometry::tSL81, &OxideThermometry::fo2SL81, 0},
    {MethodItem::AL85uC67, &OxideThermometry::tAL85, &OxideThermometry::fo2AL85, 0},
    {MethodItem::PP77uA68, &OxideThermometry::tP77, &OxideThermometry::fo2P77, 1},
    {MethodItem::SL81uA68, &OxideThermometry::tSL81, &OxideThermometry::fo2SL81, 1},
    {MethodItem::AL85uA68, &OxideThermometry::tAL85, &OxideThermometry::fo2AL85, 1},
    {MethodItem::PP77uLS82, &OxideThermometry::tP77, &OxideThermometry::fo2P77, 2},
    {MethodItem::SL81uLS82, &OxideThermometry::tSL81, &OxideThermometry::fo2SL81, 2},
    {MethodItem::AL85uLS82, &OxideThermometry::tAL85, &OxideThermometry::fo2AL85, 2},
    {MethodItem::PP77uS83, &OxideThermometry::tP77, &OxideThermometry::fo2P77, 3},
    {MethodItem::SL81uS83, &OxideThermometry::tSL81, &OxideThermometry::fo2SL81, 3},
    {MethodItem::AL85uS83, &OxideThermometry::tAL85, &OxideThermometry::fo2AL85, 3},
}};

// A field written straight after a text field would be read as part of it ("M004-0.10"): it gets
// a blank first. Fields at the start of a line, or after a number (which ends with a blank),
// need none.
void separateFromPrevious(std::string& out) {
    if (!out.empty() && out.back() != ' ' && out.back() != '\n') out.push_back(' ');
}

}  // namespace

const std::array<PlotFileSpec, kPlotFileCount>& plotFiles() {
    return kPlotFiles;
}

const std::array<PlotFileSpec, kPlotSigmaFileCount>& plotSigmaFiles() {
    return kPlotSigmaFiles;
}

void removePlotSigmaFiles(const std::filesystem::path& directory) {
    for (const PlotFileSpec& spec : kPlotSigmaFiles) {
        std::error_code ignored;  // a file that is not there, or cannot go, is left as it is
        std::filesystem::remove(directory / spec.fileName, ignored);
    }
}

void appendPlotNumber(std::string& out, double value) {
    if (!std::isfinite(value)) {
        out += " NaN ";
        return;
    }
    if (value < 0.0) {
        separateFromPrevious(out);
    } else {
        out.push_back(' ');
    }
    appendNumber(out, value);
    out.push_back(' ');
}

void appendPlotText(std::string& out, std::string_view text) {
    separateFromPrevious(out);
    bool needsQuotes = text.empty();
    for (char c : text) {
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '"') needsQuotes = true;
    }
    if (!needsQuotes) {
        out.append(text);
        return;
    }
    out.push_back('"');
    for (char c : text) {
        if (c == '"') {
            out.push_back('\'');
        } else if (c == '\t' || c == '\r' || c == '\n') {
            out.push_back(' ');
        } else {
            out.push_back(c);
        }
    }
    out.push_back('"');
}

namespace {
// The data lines of one pair and, when `sigmas` is given, the matching lines of the companion
// files: each T-log fO2 or T-DeltaNNO line writes its sigma line beside it.
bool appendLines(PlotBuffers& b, const PairResult& r, const MethodChecks& checks,
                 const PlotSigmas* sigmas, PlotSigmaBuffers* sigmaLines) {
    const auto sigmaLine = [&](int file, double sigmaT, double sigmaY) {
        if (!sigmas) return;
        std::string& out = (*sigmaLines)[file];
        appendPlotNumber(out, sigmaT);
        appendPlotNumber(out, sigmaY);
        out += "\r\n";
    };
    const PlotSigmas none;
    const PlotSigmas& s = sigmas ? *sigmas : none;
    const std::string& sample = r.input.magnetite.sample;
    const OxideThermometry& t = r.thermometry;
    constexpr std::size_t kS83 = 3;

    for (const MethodValues& m : kMethodValues) {
        const double temperature = (t.*m.temperature)[m.scheme];
        const double oxygen = (t.*m.oxygen)[m.scheme];
        if (checks.isChecked(m.item) && within(temperature, 500, 1300) && within(oxygen, -25, 5)) {
            line(b[kTlogfO2], sample, {temperature, oxygen});
            const bool stormerAL85 = m.item == MethodItem::AL85uS83;
            sigmaLine(kTlogfO2Sigma, stormerAL85 ? s.tAL85S83 : kMissing,
                      stormerAL85 ? s.logFO2AL85S83 : kMissing);
        }
    }

    const double tAL85 = t.tAL85[kS83];
    const double fo2AL85 = t.fo2AL85[kS83];
    if (within(tAL85, 500, 1250) && within(fo2AL85, -26, 5)) {
        line(b[kTfO2SL81], sample, {tAL85, fo2AL85});
    }
    if (within(tAL85, 500, 1200) && within(fo2AL85, -25, 5)) {
        line(b[kTfO2BL64Grid], sample, {tAL85, fo2AL85});
    }
    if (tAL85 >= 600 && tAL85 < 1300) {
        line(b[kXUspXIlm], sample, {r.fractions.xUsp, r.fractions.xIlm});
    }
    // A pair without Mg or Mn in a phase has no log(Mg/Mn) to place on the graph.
    if (r.equilibrium != EquilibriumVerdict::NotTested && within(r.logMgMnIlmenite, -1.4, 1.4) &&
        within(r.logMgMnMagnetite, -1.4, 1.4)) {
        line(b[kMgMnIlmMagBH88], sample, {r.logMgMnIlmenite, r.logMgMnMagnetite});
    }

    std::string& ti = b[kTiR2R3];
    appendPlotText(ti, sample);
    appendPlotNumber(ti, r.formulae.magnetite.cations[Ti]);
    appendPlotNumber(ti, r.sumsMagnetite.r2);
    appendPlotNumber(ti, r.sumsMagnetite.r3);
    appendPlotText(ti, r.input.ilmenite.sample);
    appendPlotNumber(ti, r.formulae.ilmenite.cations[Ti]);
    appendPlotNumber(ti, r.sumsIlmenite.r2);
    appendPlotNumber(ti, r.sumsIlmenite.r3);
    ti += "\r\n";

    line(b[kTDeltaNNO], sample, {tAL85, t.deltaNNOAL85[kS83]});
    sigmaLine(kTDeltaNNOSigma, s.tAL85S83, s.deltaNNOAL85S83);
    bool newerLines = false;
    if (checks.isChecked(MethodItem::TNNOS08)) {
        line(b[kTDeltaNNO], sample, {r.newer.tS08, r.newer.deltaNNOS08});
        sigmaLine(kTDeltaNNOSigma, s.tS08, s.deltaNNOS08);
        newerLines = true;
    }
    if (checks.isChecked(MethodItem::TNNOGE08)) {
        line(b[kTDeltaNNO], sample, {r.newer.tGE08, r.newer.deltaNNOGE08});
        sigmaLine(kTDeltaNNOSigma, s.tGE08, s.deltaNNOGE08);
        newerLines = true;
    }
    if (r.fullModel) {
        line(b[kTDeltaNNO], sample, {r.fullModel->temperatureC, r.fullModel->deltaNNO});
        sigmaLine(kTDeltaNNOSigma, s.tFullModel, s.deltaNNOFullModel);
    }
    return newerLines;
}
}  // namespace

bool appendPlotLines(PlotBuffers& buffers, const PairResult& result, const MethodChecks& checks) {
    return appendLines(buffers, result, checks, nullptr, nullptr);
}

bool appendPlotLines(PlotBuffers& buffers, const PairResult& result, const MethodChecks& checks,
                     const PlotSigmas& sigmas, PlotSigmaBuffers& sigmaLines) {
    return appendLines(buffers, result, checks, &sigmas, &sigmaLines);
}

PlotDataWriter::PlotDataWriter(const std::filesystem::path& directory) {
    for (int k = 0; k < kPlotFileCount; ++k) {
        open(k, directory / kPlotFiles[k].fileName, kPlotFiles[k].header);
    }
    removePlotSigmaFiles(directory);
}

void PlotDataWriter::open(int k, const std::filesystem::path& path, std::string_view header) {
    if (!files_[k].open(path.string())) {
        fail(k, files_[k].reason());
        return;
    }
    buffers_[k].append(header);
    buffers_[k] += "\r\n";
}

void PlotDataWriter::writeSigmaFiles(const std::filesystem::path& directory) {
    for (int k = 0; k < kPlotSigmaFileCount; ++k) {
        open(kPlotFileCount + k, directory / kPlotSigmaFiles[k].fileName,
             kPlotSigmaFiles[k].header);
    }
}

void PlotDataWriter::addSigmaLines(const PlotSigmaBuffers& lines) {
    for (int k = 0; k < kPlotSigmaFileCount; ++k) {
        const int file = kPlotFileCount + k;
        if (!files_[file].isOpen()) continue;
        buffers_[file] += lines[k];
        if (buffers_[file].size() >= kFlushSize) flush(file);
    }
}

std::string_view PlotDataWriter::fileName(int k) const {
    return k < kPlotFileCount ? kPlotFiles[k].fileName
                              : kPlotSigmaFiles[k - kPlotFileCount].fileName;
}

PlotDataWriter::~PlotDataWriter() {
    close();
}

void PlotDataWriter::fail(int k, const std::string& reason) {
    if (errors_[k].empty()) errors_[k] = std::string(fileName(k)).append(": ").append(reason);
    files_[k].discard();
}

void PlotDataWriter::flush(int k) {
    if (files_[k].isOpen() && !buffers_[k].empty() && !files_[k].write(buffers_[k])) {
        fail(k, files_[k].reason());
    }
    buffers_[k].clear();
}

void PlotDataWriter::countLines(int k, std::size_t from) {
    const std::string& text = buffers_[k];
    lineCounts_[k] +=
        std::count(text.begin() + static_cast<std::ptrdiff_t>(from), text.end(), '\n');
    if (text.size() >= kFlushSize) flush(k);
}

bool PlotDataWriter::addPair(const PairResult& result, const MethodChecks& checks) {
    PlotBuffers lines;
    const bool newerLines = appendPlotLines(lines, result, checks);
    addLines(lines);
    return newerLines;
}

void PlotDataWriter::addLines(const PlotBuffers& lines) {
    for (int k = 0; k < kPlotFileCount; ++k) {
        const std::size_t before = buffers_[k].size();
        buffers_[k] += lines[k];
        countLines(k, before);
    }
}

std::vector<std::string> PlotDataWriter::close() {
    if (!closed_) {
        closed_ = true;
        for (int k = 0; k < kAllFiles; ++k) {
            flush(k);
            if (files_[k].isOpen() && !files_[k].commit()) fail(k, files_[k].reason());
        }
    }
    std::vector<std::string> problems;
    for (const auto& e : errors_) {
        if (!e.empty()) problems.push_back(e);
    }
    return problems;
}

}  // namespace kelvorad
