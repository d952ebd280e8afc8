// The uncertainty columns of a results row and of the results table's header rows, and the
// plot sigma lines that stand beside the T-log fO2 and T-DeltaNNO data lines.
#include <gtest/gtest.h>

#include <unistd.h>
#include <algorithm>
#include <filesystem>
#include <fstream>

#include "engine_test_pairs.h"
#include "results_table.h"
#include "uncertainty_columns.h"

using namespace kelvorad;
using kelvorad::testing::daciteCells;
using kelvorad::testing::pairFromCells;
using kelvorad::testing::rowFields;

namespace {

// A summary whose quantity q has sd q + 1, percentiles q and q + 2; the last one none.
PairUncertainty numberedSpread() {
    PairUncertainty spread;
    for (std::size_t q = 0; q < kUncertaintyQuantityCount; ++q) {
        DrawStatistics s;
        if (q + 1 < kUncertaintyQuantityCount) {
            s.sd = double(q + 1), s.percentile2_5 = double(q), s.percentile97_5 = double(q + 2);
        }
        spread.draws.push_back(s);
    }
    return spread;
}

TEST(UncertaintyColumns, FollowColumn146WhateverTheRowsLength) {
    const PairUncertainty spread = numberedSpread();
    for (const int fieldCount : {kResultsRowFields, kResultsRowFieldsWithFullModel}) {
        std::string row = "S";
        row.append(std::size_t(fieldCount - 1), '\t');
        appendUncertaintyFields(row, spread);
        const std::vector<std::string> f = rowFields(row);
        ASSERT_EQ(f.size(), std::size_t(kUncertaintyFirstColumn + kUncertaintyColumnCount));
        EXPECT_EQ(f[0], "S");
        for (int c = 1; c < kUncertaintyFirstColumn; ++c) EXPECT_EQ(f[c], "") << c;
        EXPECT_EQ(f[147], "1");
        EXPECT_EQ(f[148], "0");
        EXPECT_EQ(f[149], "2");
        EXPECT_EQ(f[150], "2");
        const std::size_t last = f.size() - 1;
        EXPECT_EQ(f[last - 2] + f[last - 1] + f[last], "") << "missing values are empty fields";
    }
}

TEST(UncertaintyColumns, HeaderRowsNumberAndNameThemOnlyWhenShown) {
    ResultsTable table;
    EXPECT_EQ(table.text(1, 147), "");
    table.showUncertaintyColumns(true);
    const std::vector<std::string> heads = uncertaintyHeaders();
    ASSERT_EQ(heads.size(), std::size_t(kUncertaintyColumnCount));
    for (int k = 0; k < kUncertaintyColumnCount; ++k) {
        EXPECT_EQ(table.text(0, 147 + k), std::to_string(147 + k));
        EXPECT_EQ(table.text(1, 147 + k), heads[std::size_t(k)]);
    }
    EXPECT_EQ(heads[0], "TAL85S83](oC) sd");
    EXPECT_EQ(heads[1], "TAL85S83](oC) p2.5");
    EXPECT_EQ(heads[2], "TAL85S83](oC) p97.5");
    EXPECT_NE(std::find(heads.begin(), heads.end(), "[DeltaFMQ_GE08model] sd"), heads.end());
    EXPECT_EQ(table.text(1, 147 + kUncertaintyColumnCount), "");
    table.showUncertaintyColumns(false);
    EXPECT_EQ(table.text(0, 147), "");
    EXPECT_EQ(table.text(1, 149), "");
    EXPECT_EQ(headerRowsAsText(), headerRowsAsText(ResultsTable::kColumns, false));
    EXPECT_NE(headerRowsAsText(ResultsTable::kColumns, true).find("\tTAL85S83](oC) sd\t"),
              std::string::npos);
}

TEST(PlotSigmaLines, StandBesideTheirDataLinesWithNaNWhereAMethodHasNoSigma) {
    MethodChecks checks;
    checks.setChecked(MethodItem::GE08Model, true);
    checks.setChecked(MethodItem::TNNOS08, true);
    checks.setChecked(MethodItem::PP77uS83, true);  // a second T-log fO2 line, without sigma
    const CalculationRun run(checks);
    const PairResult result = run.computePair(pairFromCells(daciteCells()));
    ASSERT_TRUE(result.fullModel);
    PlotSigmas sigmas;
    sigmas.tAL85S83 = 11, sigmas.logFO2AL85S83 = 0.25, sigmas.deltaNNOAL85S83 = 0.125;
    sigmas.tS08 = 12, sigmas.deltaNNOS08 = 0.5;
    sigmas.tFullModel = 13, sigmas.deltaNNOFullModel = 0.75;

    PlotBuffers plain, lines;
    PlotSigmaBuffers sigmaLines;
    EXPECT_EQ(appendPlotLines(lines, result, run.checks(), sigmas, sigmaLines),
              appendPlotLines(plain, result, run.checks()));
    EXPECT_EQ(lines, plain) << "the data files are the same with or without sigma";
    const auto count = [](const std::string& s) { return std::count(s.begin(), s.end(), '\n'); };
    ASSERT_EQ(count(lines[kTlogfO2]), 2);
    EXPECT_EQ(sigmaLines[kTlogfO2Sigma], " NaN  NaN \r\n 11  0.25 \r\n");  // P77 first, then AL85
    EXPECT_EQ(sigmaLines[kTDeltaNNOSigma], " 11  0.125 \r\n 12  0.5 \r\n 13  0.75 \r\n");
    EXPECT_EQ(count(lines[kTDeltaNNO]), 3);
}

TEST(PlotSigmaFiles, WrittenOnRequestAndRemovedByTheNextPlainRun) {
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("kelvorad_sigma_" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    MethodChecks checks;
    const CalculationRun run(checks);
    const PairResult result = run.computePair(pairFromCells(daciteCells()));
    {
        PlotDataWriter writer(dir);
        writer.writeSigmaFiles(dir);
        PlotBuffers lines;
        PlotSigmaBuffers sigmaLines;
        appendPlotLines(lines, result, run.checks(), plotSigmas(numberedSpread()), sigmaLines);
        writer.addLines(lines);
        writer.addSigmaLines(sigmaLines);
        EXPECT_TRUE(writer.close().empty());
    }
    std::ifstream in(dir / "TDeltaNNOSigma.dat", std::ios::binary);
    const std::string text{std::istreambuf_iterator<char>(in), {}};
    // T_AL85_S83 is quantity 0 and DeltaNNO_AL85_S83 quantity 4: sd 1 and 5.
    EXPECT_EQ(text.substr(0, text.find('\n') + 1), "sdT(oC) sdDeltaNNO\r\n");
    EXPECT_EQ(text.substr(text.find('\n') + 1), " 1  5 \r\n");  // one pair, one line
    { PlotDataWriter plain(dir); }
    EXPECT_FALSE(std::filesystem::exists(dir / "TDeltaNNOSigma.dat"));
    EXPECT_FALSE(std::filesystem::exists(dir / "TlogfO2Sigma.dat"));
    EXPECT_TRUE(std::filesystem::exists(dir / "TDeltaNNO.dat"));
    std::filesystem::remove_all(dir);
}

}  // namespace
