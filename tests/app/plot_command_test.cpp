#include "cli/plot_command.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "cli/calc_command.h"
#include "graph_menu.h"
#include "plot_data_files.h"
#include "png_pixels.h"

using namespace kelvorad;
using kelvorad::testing::differingPixels;
using kelvorad::testing::drawnPixels;
using kelvorad::testing::readPng;
namespace fs = std::filesystem;

namespace {

class PlotCommand : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("kelvorad_plot_" + std::to_string(getpid()) + "_" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    // Runs the command with standard output and error captured.
    int run(const std::vector<std::string>& args, std::string_view gnuplot = "gnuplot") {
        ::testing::internal::CaptureStdout();
        ::testing::internal::CaptureStderr();
        const int code = runPlotCommand(args, gnuplot);
        out_ = ::testing::internal::GetCapturedStdout();
        err_ = ::testing::internal::GetCapturedStderr();
        return code;
    }

    // The plot data files of the bundled example, as "kelvorad calc" writes them.
    fs::path exampleRun(const std::string& name) {
        const fs::path folder = dir_ / name;
        fs::create_directories(folder);
        ::testing::internal::CaptureStdout();
        const int code =
            runCalcCommand({std::string(KELVORAD_SHARE_DIR) + "/examples/fe-ti-oxide-pairs.mi",
                            "--plot-dir", folder.string()});
        ::testing::internal::GetCapturedStdout();
        EXPECT_EQ(code, 0);
        return folder;
    }

    fs::path dir_;
    std::string out_;
    std::string err_;
};

// The figures of the bundled example: every template draws, gnuplot says nothing, and each
// image shows the pairs: it differs from the same template drawn over header-only files by far
// more pixels than noise (each point is a disc of some 80 pixels; the example has 24 pairs).
TEST_F(PlotCommand, DrawsAllTenGraphsOfTheBundledExample) {
    const fs::path empty = dir_ / "empty";
    fs::create_directories(empty);
    PlotDataWriter(empty).close();
    EXPECT_EQ(run({"--plot-dir", empty.string()}), 0);  // gnuplot warns: files without points

    const fs::path example = exampleRun("run");
    ASSERT_EQ(run({"--plot-dir", example.string(), "--out", (dir_ / "figures").string()}), 0)
        << err_;
    EXPECT_EQ(err_, "");

    for (const GraphMenuItem& item : graphMenu()) {
        if (item.kind != GraphMenuKind::Template) continue;
        const std::string image = fs::path(item.templateFile).stem().string() + ".png";
        EXPECT_NE(out_.find((dir_ / "figures" / image).string()), std::string::npos);
        const auto figure = readPng(dir_ / "figures" / image);
        const auto withoutPoints = readPng(empty / image);
        ASSERT_EQ(figure.error, "") << image;
        EXPECT_EQ(figure.width, 1200);
        EXPECT_EQ(figure.height, 900);
        EXPECT_GT(drawnPixels(figure), 20000) << image;
        EXPECT_GT(differingPixels(figure, withoutPoints), 1000) << image << ": no points drawn";
    }
}

// Before any run (no plot data files) and after a run over no pairs (header lines only), every
// template still draws its axes and reference curves: ten images and exit status 0.
TEST_F(PlotCommand, EveryTemplateDrawsWithoutDataFilesAndOverHeaderOnlyFiles) {
    const fs::path none = dir_ / "none";
    fs::create_directories(none);
    const fs::path headers = dir_ / "headers";
    fs::create_directories(headers);
    PlotDataWriter(headers).close();
    for (const fs::path& folder : {none, headers}) {
        ASSERT_EQ(run({"--plot-dir", folder.string()}), 0) << folder << "\n" << err_;
        EXPECT_EQ(err_.find("No data in plot"), std::string::npos) << err_;
        for (const GraphMenuItem& item : graphMenu()) {
            if (item.kind != GraphMenuKind::Template) continue;
            const fs::path image = folder / (fs::path(item.templateFile).stem().string() + ".png");
            const auto pixels = readPng(image);
            ASSERT_EQ(pixels.error, "") << image;
            EXPECT_GT(drawnPixels(pixels), 12000) << image << " is (nearly) blank";
        }
    }
}

// A run whose one pair fails the equilibrium test with its option checked writes NaN for every
// estimate of the T - DeltaNNO file: the graphs still draw, sample names asked for or not.
TEST_F(PlotCommand, FilesWithoutADefinedPointStillDraw) {
    const fs::path folder = dir_ / "withdrawn";
    const fs::path input = dir_ / "failing.tsv";
    // The magnetite's Mg/Mn (MgO 4.5, MnO 0.05) lies far above the ilmenite's band.
    std::ofstream(input) << "MT-09\t0.12\t8.45\t2.10\t0.48\t0.09\t\t\t80.52\t0.05\t0.02\t0.11\t4.5"
                            "\t0.03\t\t\t\t\tILM-09\t0.04\t45.10\t0.21\t0.31\t0.05\t\t\t47.90"
                            "\t0.62\t\t0.03\t2.48\t0.02\t\t\t\n";
    ::testing::internal::CaptureStdout();
    ASSERT_EQ(
        runCalcCommand({input.string(), "--check", "BH88TestforTO", "--plot-dir", folder.string()}),
        0);
    ::testing::internal::GetCapturedStdout();
    std::ifstream deltaNNO(folder / "TDeltaNNO.dat", std::ios::binary);
    const std::string text{std::istreambuf_iterator<char>(deltaNNO), {}};
    ASSERT_NE(text.find("MT-09 NaN  NaN"), std::string::npos) << text;
    EXPECT_EQ(run({"--plot-dir", folder.string(), "--template", "TDeltaNNO", "--labels"}), 0)
        << err_;
    EXPECT_EQ(run({"--plot-dir", folder.string(), "--template", "TDeltaNNO"}), 0) << err_;
    EXPECT_EQ(readPng(folder / "TDeltaNNO.png").error, "");
}

TEST_F(PlotCommand, ChosenTemplatesFormatAndLabels) {
    const fs::path run = exampleRun("run");
    ASSERT_EQ(this->run({"--plot-dir", run.string(), "--template", "TDeltaNNO", "--template",
                         "TiR2R3.grf", "--format", "svg", "--labels"}),
              0)
        << err_;
    EXPECT_EQ(out_, (run / "TDeltaNNO.svg").string() + "\n" + (run / "TiR2R3.svg").string() + "\n");
    std::ifstream svg(run / "TiR2R3.svg");
    const std::string text{std::istreambuf_iterator<char>(svg), {}};
    EXPECT_NE(text.find("KV-01 Ilm"), std::string::npos) << "sample labels missing";
}

// T - DeltaNNO tells its series apart by their place in each pair's lines: AL85, then S08 and
// the GE08 regression when their items are checked, then the full model when it is on. Every
// combination names its series, the four-line one included.
TEST_F(PlotCommand, DeltaNNOSeriesAreNamedForEveryOptionCombination) {
    const std::string input = std::string(KELVORAD_SHARE_DIR) + "/examples/fe-ti-oxide-pairs.mi";
    const std::string al85 = "Andersen and Lindsley (1985)";
    const std::string model = "Ghiorso and Evans (2008) model";
    const struct {
        std::vector<std::string> options;
        std::vector<std::string> legend;
    } cases[] = {
        {{"--no-full-model"}, {al85}},
        {{}, {al85, model}},
        {{"--check", "TNNOGE08"}, {al85, "Sauerzapf et al. (2008) or GE08 regression", model}},
        {{"--check", "TNNOS08", "--check", "TNNOGE08"},
         {al85, "Sauerzapf et al. (2008)", "GE08 regression", model}},
    };
    int k = 0;
    for (const auto& c : cases) {
        const fs::path folder = dir_ / ("run" + std::to_string(k++));
        fs::create_directories(folder);
        std::vector<std::string> args{input, "--plot-dir", folder.string()};
        args.insert(args.end(), c.options.begin(), c.options.end());
        ::testing::internal::CaptureStdout();
        ASSERT_EQ(runCalcCommand(args), 0);
        ::testing::internal::GetCapturedStdout();
        ASSERT_EQ(
            run({"--plot-dir", folder.string(), "--template", "TDeltaNNO", "--format", "svg"}), 0)
            << err_;
        std::ifstream svg(folder / "TDeltaNNO.svg");
        const std::string text{std::istreambuf_iterator<char>(svg), {}};
        for (const std::string& title : c.legend) {
            EXPECT_NE(text.find(">" + title + "<"), std::string::npos) << title << " missing";
        }
        EXPECT_EQ(text.find("all lines of the file"), std::string::npos) << c.legend.size();
        if (c.legend.size() < 4) {
            EXPECT_EQ(text.find(">GE08 regression<"), std::string::npos);
        }
    }
}

// gnuplot takes a line that starts with "#" or "!" for a comment unless the template says
// otherwise: a pair named so (without a blank, so that the name is not quoted) must keep its
// point, and the pairs after it their series.
TEST_F(PlotCommand, SampleNamesStartingWithCommentCharactersKeepTheirPoints) {
    std::ifstream example(std::string(KELVORAD_SHARE_DIR) + "/examples/fe-ti-oxide-pairs.tsv");
    std::string text{std::istreambuf_iterator<char>(example), {}};
    for (const auto& [from, to] : {std::pair{"KV-01 Mt", "#12"},
                                   {"KV-01 Ilm", "#12i"},
                                   {"KV-02 Mt", "!7"},
                                   {"KV-02 Ilm", "!7i"}}) {
        const std::size_t at = text.find(from);
        ASSERT_NE(at, std::string::npos) << from;
        text.replace(at, std::string(from).size(), to);
    }
    const fs::path input = dir_ / "named.tsv";
    std::ofstream(input, std::ios::binary) << text;
    const fs::path folder = dir_ / "run";
    ::testing::internal::CaptureStdout();
    ASSERT_EQ(runCalcCommand({input.string(), "--plot-dir", folder.string(), "--check", "TNNOS08"}),
              0);
    ::testing::internal::GetCapturedStdout();
    ASSERT_EQ(run({"--plot-dir", folder.string(), "--template", "TDeltaNNO", "--template", "TiR2R3",
                   "--template", "TlogfO2BL64", "--format", "svg", "--labels"}),
              0)
        << err_;
    for (const char* graph : {"TDeltaNNO.svg", "TiR2R3.svg", "TlogfO2BL64.svg"}) {
        std::ifstream svg(folder / graph);
        const std::string drawn{std::istreambuf_iterator<char>(svg), {}};
        EXPECT_NE(drawn.find(">#12<"), std::string::npos) << graph;
        EXPECT_NE(drawn.find(">!7<"), std::string::npos) << graph;
    }
    std::ifstream svg(folder / "TDeltaNNO.svg");
    const std::string drawn{std::istreambuf_iterator<char>(svg), {}};
    EXPECT_NE(drawn.find(">Sauerzapf et al. (2008) or GE08 regression<"), std::string::npos)
        << "series regrouped";
}

// A template in the plot folder is a user's edited copy and wins over the shipped one.
TEST_F(PlotCommand, EditedCopyInThePlotFolderWinsAndItsFailureIsReported) {
    const fs::path run = exampleRun("run");
    std::ofstream(run / "TiR2R3.grf") << "plot this is not gnuplot\n";
    EXPECT_EQ(this->run({"--plot-dir", run.string(), "--template", "TiR2R3"}), 1);
    EXPECT_NE(err_.find("TiR2R3.grf: gnuplot failed"), std::string::npos) << err_;
    EXPECT_FALSE(fs::exists(run / "TiR2R3.png"));
}

TEST_F(PlotCommand, WithoutGnuplotItSaysSoAndFails) {
    const fs::path run = exampleRun("run");
    EXPECT_EQ(this->run({"--plot-dir", run.string()}, "kelvorad-no-such-gnuplot"), 1);
    EXPECT_NE(err_.find("gnuplot is not installed"), std::string::npos) << err_;
    EXPECT_FALSE(fs::exists(run / "TlogfO2BL64.png"));
}

TEST_F(PlotCommand, UsageErrorsAndMissingFolders) {
    EXPECT_EQ(run({"--format", "gif"}), 2);
    EXPECT_NE(err_.find("png, svg or pdf"), std::string::npos);
    EXPECT_EQ(run({"--template"}), 2);
    EXPECT_EQ(run({"--bogus"}), 2);
    EXPECT_EQ(run({"--plot-dir", dir_.string(), "--template", "NoSuchGraph"}), 2);
    EXPECT_NE(err_.find("TDeltaNNO.grf"), std::string::npos) << "the error lists the templates";
    EXPECT_EQ(run({"--plot-dir", (dir_ / "absent").string()}), 1);

    // A folder without plot data files: warned about, the curves still drawn.
    EXPECT_EQ(run({"--plot-dir", dir_.string(), "--template", "TlogfO2GS91"}), 0);
    EXPECT_NE(err_.find("TlogfO2.dat does not exist"), std::string::npos) << err_;

    EXPECT_EQ(run({"--help"}), 0);
    for (const GraphMenuItem& item : graphMenu()) {
        if (item.kind == GraphMenuKind::Template) {
            EXPECT_NE(out_.find(item.templateFile), std::string::npos);
        }
    }
}

}  // namespace

namespace {

// A run with Monte Carlo uncertainty writes sigma files beside TlogfO2.dat and TDeltaNNO.dat:
// the T-log fO2 and T-DeltaNNO graphs draw error bars from them, and draw as before without
// them, with a file that does not match the data line for line, or with sigmas all NaN.
TEST_F(PlotCommand, SigmaFilesAddErrorBarsAndTheGraphsDrawWithoutThem) {
    const fs::path folder = dir_ / "bars";
    ::testing::internal::CaptureStdout();
    ASSERT_EQ(runCalcCommand({std::string(KELVORAD_SHARE_DIR) + "/examples/fe-ti-oxide-pairs.mi",
                              "--uncertainty", "30", "--plot-dir", folder.string()}),
              0);
    ::testing::internal::GetCapturedStdout();
    const std::vector<std::string> graphs = {"TlogfO2BL64", "TlogfO2HF77", "TlogfO2GS91",
                                             "TDeltaNNO"};
    const auto draw = [&](const fs::path& out) {
        std::vector<std::string> args = {"--plot-dir", folder.string(), "--out", out.string()};
        for (const std::string& g : graphs) args.insert(args.end(), {"--template", g});
        EXPECT_EQ(run(args), 0) << err_;
        EXPECT_EQ(err_, "");
    };
    draw(dir_ / "with");
    const auto sigmaFiles = {folder / "TlogfO2Sigma.dat", folder / "TDeltaNNOSigma.dat"};
    for (const fs::path& f : sigmaFiles) fs::remove(f);
    draw(dir_ / "without");
    for (const std::string& g : graphs) {
        const auto with = readPng(dir_ / "with" / (g + ".png"));
        const auto without = readPng(dir_ / "without" / (g + ".png"));
        ASSERT_EQ(with.error, "") << g;
        EXPECT_GT(differingPixels(with, without), 1000) << g << ": no error bars";
    }

    for (const std::string& lines : {std::string("sdT(oC) sdY\r\n 10  0.1 \r\n"), std::string()}) {
        for (const fs::path& f : sigmaFiles) {
            std::string text = lines;
            if (text.empty()) {  // one NaN line for every data line
                std::ifstream data(f.string().substr(0, f.string().size() - 9) + ".dat");
                for (std::string line; std::getline(data, line);) text += " NaN  NaN \r\n";
            }
            std::ofstream(f, std::ios::binary) << text;
        }
        draw(dir_ / "odd");
        for (const std::string& g : graphs) {
            EXPECT_EQ(differingPixels(readPng(dir_ / "odd" / (g + ".png")),
                                      readPng(dir_ / "without" / (g + ".png"))),
                      0)
                << g;
        }
    }
}

}  // namespace
