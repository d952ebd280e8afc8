#include "plot_data_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "calculation_run.h"
#include "engine_test_pairs.h"

using namespace kelvorad;
namespace fs = std::filesystem;
using kelvorad::testing::daciteCells;
using kelvorad::testing::pairFromCells;

namespace {
// A pair result whose Andersen-Lindsley Stormer-scheme values are set by hand.
PairResult resultWith(double tAL85, double fo2AL85, const std::string& sample = "S1") {
    PairResult r;
    r.input.magnetite.sample = sample;
    r.input.ilmenite.sample = "I1";
    r.thermometry.tAL85.fill(kMissing);
    r.thermometry.fo2AL85.fill(kMissing);
    r.thermometry.tP77.fill(kMissing);
    r.thermometry.fo2P77.fill(kMissing);
    r.thermometry.tSL81.fill(kMissing);
    r.thermometry.fo2SL81.fill(kMissing);
    r.thermometry.deltaNNOAL85.fill(0.5);
    r.thermometry.tAL85[3] = tAL85;
    r.thermometry.fo2AL85[3] = fo2AL85;
    r.fractions.xUsp = 0.4;
    r.fractions.xIlm = 0.9;
    r.logMgMnMagnetite = 0.5;
    r.logMgMnIlmenite = 0.6;
    r.equilibrium = EquilibriumVerdict::Failed;
    r.formulae.magnetite.cations[Ti] = 0.4;
    r.formulae.ilmenite.cations[Ti] = 0.9;
    r.sumsMagnetite = {1.4, 1.2};
    r.sumsIlmenite = {0.95, 0.1};
    r.newer.tS08 = 900;
    r.newer.deltaNNOS08 = 1.25;
    r.newer.tGE08 = 920;
    r.newer.deltaNNOGE08 = -0.75;
    return r;
}

MethodChecks defaultChecks() {
    MethodChecks checks;
    applyRunStartSteps(checks);
    return checks;
}

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

fs::path freshDir(const std::string& name) {
    fs::path dir = fs::temp_directory_path() / ("kelvorad_plot_" + name + std::to_string(getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    return dir;
}
}  // namespace

TEST(PlotFields, NumbersCarrySignPlaceAndTrailingSpace) {
    std::string line;
    appendPlotText(line, "S1");
    appendPlotNumber(line, 800);
    appendPlotNumber(line, -10.5);
    appendPlotNumber(line, kMissing);
    appendPlotNumber(line, -0.0);
    EXPECT_EQ(line, "S1 800 -10.5  NaN  0 ");
}

TEST(PlotFields, TextWithBlanksOrEmptyIsQuotedAndPartedFromItsNeighbours) {
    std::string line;
    appendPlotText(line, "MT 02 rim");
    appendPlotText(line, "");
    appendPlotText(line, "say\"x\"");
    appendPlotNumber(line, -1.5);
    appendPlotText(line, "M004");
    EXPECT_EQ(line, "\"MT 02 rim\" \"\" \"say'x'\" -1.5 M004");
}

// A sample name without blanks followed by a negative number was written as one word
// ("M004-0.103"), so the graphs read one column too few and lost the point.
TEST(PlotFields, NegativeNumberAfterASampleNameIsPartedFromIt) {
    PairResult r = resultWith(-20, -12, "M004");
    r.logMgMnIlmenite = -0.103215345511186;
    r.logMgMnMagnetite = -0.654844022337422;
    r.thermometry.deltaNNOAL85.fill(-0.5);
    r.input.ilmenite.sample = "I004";
    r.formulae.ilmenite.cations[Ti] = -0.25;
    PlotBuffers b;
    appendPlotLines(b, r, defaultChecks());
    EXPECT_EQ(b[kMgMnIlmMagBH88], "M004 -0.103215345511186 -0.654844022337422 \r\n");
    EXPECT_EQ(b[kTDeltaNNO], "M004 -20 -0.5 \r\n");
    EXPECT_EQ(b[kTiR2R3], "M004 0.4  1.4  1.2 I004 -0.25  0.95  0.1 \r\n");
}

namespace {
// The fields of a plot data line as gnuplot splits it: runs of non-blank characters, a field
// in double quotes being one field whatever it holds. A quote that touches the character
// before or after it glues two fields and counts as a fault (-1).
int gnuplotFieldCount(const std::string& line) {
    int count = 0;
    std::size_t i = 0;
    const auto blank = [&](std::size_t k) {
        return k >= line.size() || line[k] == ' ' || line[k] == '\t' || line[k] == '\r';
    };
    while (i < line.size()) {
        if (blank(i)) {
            ++i;
            continue;
        }
        if (line[i] == '"') {
            const std::size_t close = line.find('"', i + 1);
            if (close == std::string::npos || !blank(close + 1)) return -1;
            i = close + 1;
        } else {
            while (!blank(i)) {
                if (line[i] == '"') return -1;
                ++i;
            }
        }
        ++count;
    }
    return count;
}

// Pairs whose every value that can be negative is: names without blanks, with blanks, empty.
std::vector<PairResult> awkwardResults() {
    std::vector<PairResult> results;
    for (const std::string name : {"M004", "MT 7 rim", "", "x-1"}) {
        PairResult r = resultWith(800, -14.5, name);
        r.input.ilmenite.sample = name;
        r.fractions.xUsp = -0.02;
        r.fractions.xIlm = -0.01;
        r.logMgMnMagnetite = -0.6;
        r.logMgMnIlmenite = -0.1;
        r.formulae.magnetite.cations[Ti] = -0.1;
        r.formulae.ilmenite.cations[Ti] = -0.2;
        r.sumsMagnetite = {-1.4, -1.2};
        r.sumsIlmenite = {-0.95, -0.1};
        r.thermometry.deltaNNOAL85.fill(-1.5);
        r.newer.tS08 = -900;
        r.newer.deltaNNOS08 = -1.25;
        r.newer.tGE08 = kMissing;
        r.fullModel = ge08::Ge08Result{};
        r.fullModel->temperatureC = -5;
        r.fullModel->deltaNNO = -0.25;
        results.push_back(r);
        PairResult low = r;
        low.thermometry.tAL85[3] = -50;  // only the unwindowed files take it
        results.push_back(low);
    }
    return results;
}
}  // namespace

// Every line of every file, read as gnuplot reads it, has as many fields as its header.
TEST(PlotFields, EveryLineOfEveryFileHasTheFieldsOfItsHeader) {
    MethodChecks checks = defaultChecks();
    for (const MethodItemInfo& info : methodItems()) checks.setChecked(info.item, true);
    const fs::path dir = freshDir("fields");
    PlotDataWriter writer(dir);
    for (const PairResult& r : awkwardResults()) writer.addPair(r, checks);
    ASSERT_TRUE(writer.close().empty());
    for (const PlotFileSpec& file : plotFiles()) {
        std::istringstream in(readFile(dir / file.fileName));
        std::string header;
        std::getline(in, header);
        const int fields = gnuplotFieldCount(header);
        EXPECT_EQ(fields, file.fileName == "TiR2R3.dat" ? 8 : 3);
        int lines = 0;
        for (std::string line; std::getline(in, line); ++lines) {
            EXPECT_EQ(gnuplotFieldCount(line), fields) << file.fileName << ": '" << line << "'";
        }
        EXPECT_GT(lines, 0) << file.fileName;
    }
}

TEST(PlotWindows, UpperTemperatureEdge) {
    PlotBuffers b;
    appendPlotLines(b, resultWith(1300, -10), defaultChecks());
    EXPECT_EQ(b[kTlogfO2], "S1 1300 -10 \r\n");
    EXPECT_EQ(b[kTfO2SL81], "");      // upper bound 1250
    EXPECT_EQ(b[kTfO2BL64Grid], "");  // upper bound 1200
    EXPECT_EQ(b[kXUspXIlm], "");      // strict bound 1300
    PlotBuffers below;
    appendPlotLines(below, resultWith(1250, -10), defaultChecks());
    EXPECT_EQ(below[kTfO2SL81], "S1 1250 -10 \r\n");
    EXPECT_EQ(below[kXUspXIlm], "S1 0.4  0.9 \r\n");
}

TEST(PlotWindows, LowOxygenFugacityEdge) {
    PlotBuffers b;
    appendPlotLines(b, resultWith(800, -25.5), defaultChecks());
    EXPECT_EQ(b[kTfO2SL81], "S1 800 -25.5 \r\n");  // window down to -26
    EXPECT_EQ(b[kTfO2BL64Grid], "");
    EXPECT_EQ(b[kTlogfO2], "");
    PlotBuffers edge;
    appendPlotLines(edge, resultWith(500, -25), defaultChecks());
    EXPECT_EQ(edge[kTfO2BL64Grid], "S1 500 -25 \r\n");
    EXPECT_EQ(edge[kTlogfO2], "S1 500 -25 \r\n");
    EXPECT_EQ(edge[kXUspXIlm], "");  // from 600
}

TEST(PlotWindows, OnlyCheckedMethodItemsWriteTemperatureFugacityLines) {
    PairResult r = resultWith(900, -12);
    r.thermometry.tP77[0] = 950;
    r.thermometry.fo2P77[0] = -11;
    MethodChecks checks = defaultChecks();
    PlotBuffers b;
    appendPlotLines(b, r, checks);
    EXPECT_EQ(b[kTlogfO2], "S1 900 -12 \r\n");
    checks.setChecked(MethodItem::PP77uC67, true);
    PlotBuffers both;
    appendPlotLines(both, r, checks);
    EXPECT_EQ(both[kTlogfO2], "S1 950 -11 \r\nS1 900 -12 \r\n");
}

TEST(PlotWindows, MissingValueWritesNoWindowedLineButNaNElsewhere) {
    PairResult r = resultWith(kMissing, kMissing);
    r.thermometry.deltaNNOAL85.fill(kMissing);
    PlotBuffers b;
    appendPlotLines(b, r, defaultChecks());
    EXPECT_EQ(b[kTlogfO2], "");
    EXPECT_EQ(b[kTfO2SL81], "");
    EXPECT_EQ(b[kXUspXIlm], "");
    EXPECT_EQ(b[kTDeltaNNO], "S1 NaN  NaN \r\n");
    EXPECT_EQ(b[kTiR2R3], "S1 0.4  1.4  1.2 I1 0.9  0.95  0.1 \r\n");
}

TEST(PlotWindows, MagnesiumManganeseWindow) {
    PairResult r = resultWith(900, -12);
    r.logMgMnIlmenite = 1.4;
    r.logMgMnMagnetite = -1.4;
    PlotBuffers b;
    appendPlotLines(b, r, defaultChecks());
    EXPECT_EQ(b[kMgMnIlmMagBH88], "S1 1.4 -1.4 \r\n");
    r.logMgMnIlmenite = 1.41;
    PlotBuffers outside;
    appendPlotLines(outside, r, defaultChecks());
    EXPECT_EQ(outside[kMgMnIlmMagBH88], "");
    // No point for a pair without Mg or Mn in a phase: its log(Mg/Mn) of 0 is no value.
    r.logMgMnIlmenite = 0.0;
    r.equilibrium = EquilibriumVerdict::NotTested;
    PlotBuffers untested;
    appendPlotLines(untested, r, defaultChecks());
    EXPECT_EQ(untested[kMgMnIlmMagBH88], "");
}

TEST(PlotDeltaNNO, ThreeLinesPerPairWithBothNewerModels) {
    MethodChecks checks = defaultChecks();
    checks.setChecked(MethodItem::TNNOS08, true);
    checks.setChecked(MethodItem::TNNOGE08, true);
    PlotBuffers b;
    EXPECT_TRUE(appendPlotLines(b, resultWith(880, -12.25), checks));
    EXPECT_EQ(b[kTDeltaNNO], "S1 880  0.5 \r\nS1 900  1.25 \r\nS1 920 -0.75 \r\n");
    PlotBuffers only;
    EXPECT_FALSE(appendPlotLines(only, resultWith(880, -12.25), defaultChecks()));
}

TEST(PlotDataWriter, ZeroPairsLeaveSevenHeaderOnlyFiles) {
    const fs::path dir = freshDir("empty");
    PlotDataWriter writer(dir);
    EXPECT_TRUE(writer.close().empty());
    EXPECT_EQ(readFile(dir / "TlogfO2.dat"), "SampleNo T(oC) logfO2\r\n");
    EXPECT_EQ(readFile(dir / "XUspXIlm.dat"), "SampleNo XUsp XIlm\r\n");
    EXPECT_EQ(readFile(dir / "MgMnIlmMagBH88.dat"), "SampleNo Ilm(Mg/Mn) Mag(Mg/Mn)\r\n");
    EXPECT_EQ(readFile(dir / "TiR2R3.dat"),
              "SampleNo TiMag R2+Mag R3+Mag SampleNo TiIlm R2+Ilm R3+Ilm\r\n");
    EXPECT_EQ(readFile(dir / "TDeltaNNO.dat"), "SampleNo T(oC) DeltaNNO\r\n");
    EXPECT_EQ(readFile(dir / "TfO2SL81.dat"), "SampleNo T(oC) logfO2\r\n");
    EXPECT_EQ(readFile(dir / "TfO2BL64Grid.dat"), "SampleNo T(oC) logfO2\r\n");
}

TEST(PlotDataWriter, EveryRunRecreatesTheFiles) {
    const fs::path dir = freshDir("recreate");
    {
        PlotDataWriter writer(dir);
        writer.addPair(resultWith(900, -12), defaultChecks());
    }
    EXPECT_NE(readFile(dir / "TiR2R3.dat").find("S1"), std::string::npos);
    PlotDataWriter second(dir);
    second.close();
    EXPECT_EQ(readFile(dir / "TiR2R3.dat").find("S1"), std::string::npos);
}

TEST(PlotDataWriter, UnwritableFolderIsReportedAndDoesNotStopTheRun) {
    const fs::path dir = freshDir("missing") / "no" / "such" / "folder";
    PlotDataWriter writer(dir);
    writer.addPair(resultWith(900, -12), defaultChecks());
    const auto problems = writer.close();
    ASSERT_EQ(problems.size(), 7u);
    EXPECT_EQ(problems[0].rfind("TlogfO2.dat: ", 0), 0u);
}

TEST(PlotDataWriter, WithdrawnEstimatesAreNaNInTheUnwindowedFiles) {
    std::vector<std::string> cells = daciteCells("MT 7");
    cells[12] = "4.5";  // fails the equilibrium test
    cells[9] = "0.05";
    MethodChecks checks;
    checks.setChecked(MethodItem::BH88TestforTO, true);
    CalculationRun run(checks);
    const fs::path dir = freshDir("withdrawn");
    PlotDataWriter writer(dir);
    std::string row;
    run.processPair(pairFromCells(cells), &writer, row);
    ASSERT_TRUE(writer.close().empty());
    EXPECT_EQ(readFile(dir / "TDeltaNNO.dat"), "SampleNo T(oC) DeltaNNO\r\n\"MT 7\" NaN  NaN \r\n");
    EXPECT_EQ(readFile(dir / "TlogfO2.dat"), "SampleNo T(oC) logfO2\r\n");
}

TEST(PlotDataWriter, NewerModelLinesUncheckTheAndersenLindsleyPlotItem) {
    MethodChecks checks;
    checks.setChecked(MethodItem::TNNOS08, true);
    CalculationRun run(checks);
    EXPECT_TRUE(checks.isChecked(MethodItem::TNNOAL85));
    const fs::path dir = freshDir("tnno");
    PlotDataWriter writer(dir);
    std::string row;
    run.processPair(pairFromCells(daciteCells()), &writer, row);
    EXPECT_FALSE(checks.isChecked(MethodItem::TNNOAL85));
}
