#include "graph_rendering.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>

#include "graph_menu.h"
#include "plot_data_files.h"
#include "png_pixels.h"
#include "program_run.h"

using namespace kelvorad;
using kelvorad::testing::drawnPixels;
using kelvorad::testing::readPng;
namespace fs = std::filesystem;

namespace {

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// A run folder and an image folder; the shipped templates; gnuplot from the PATH (the
// project's install script installs it, so its absence fails these tests rather than skipping
// them).
class GraphRendering : public ::testing::Test {
  protected:
    void SetUp() override {
        root_ = fs::temp_directory_path() /
                ("kelvorad_render_" + std::to_string(getpid()) + "_" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(root_);
        folders_ = {root_ / "run", fs::path(KELVORAD_SHARE_DIR) / "templates"};
        fs::create_directories(folders_.working);
        fs::create_directories(root_ / "images");
        gnuplot_ = findProgram("gnuplot", environmentSearchPath());
        ASSERT_FALSE(gnuplot_.empty()) << "gnuplot is not installed (scripts/install-deps)";
    }
    void TearDown() override { fs::remove_all(root_); }

    struct Rendered {
        fs::path image;
        fs::path messages;  // what gnuplot wrote to its standard error
    };

    // Renders every Graph menu template to a PNG; expects each run to succeed.
    std::map<std::string, Rendered> renderAll(bool sampleLabels = false) {
        std::map<std::string, Rendered> rendered;
        for (const GraphMenuItem& item : graphMenu()) {
            if (item.kind != GraphMenuKind::Template) continue;
            const std::string name(item.templateFile);
            const Rendered files{root_ / "images" / (name + ".png"),
                                 root_ / "images" / (name + ".messages")};
            const RenderResult result =
                renderGraphTemplate(gnuplot_, folders_.templates / name, folders_, ImageFormat::Png,
                                    files.image, {sampleLabels, files.messages});
            EXPECT_TRUE(result.done) << name << ": " << result.problem;
            rendered[name] = files;
        }
        return rendered;
    }

    void writeRunFile(std::string_view name, const std::string& text) {
        std::ofstream(folders_.working / name, std::ios::binary) << text;
    }

    fs::path root_;
    GraphFolders folders_;
    fs::path gnuplot_;
};

// A run over no pairs leaves header lines only; every template still draws its axes and
// curves, and gnuplot does not fail (it only warns that a file holds no points).
TEST_F(GraphRendering, HeaderOnlyFilesDoNotMakeAnyTemplateFail) {
    PlotDataWriter(folders_.working).close();
    for (const auto& [name, files] : renderAll()) {
        const auto pixels = readPng(files.image);
        ASSERT_EQ(pixels.error, "") << name;
        EXPECT_EQ(pixels.width, 1200);
        EXPECT_EQ(pixels.height, 900);
        EXPECT_GT(drawnPixels(pixels), 12000) << name << " is (nearly) blank";
    }
}

// Lines as the run writes them at their most awkward: CR LF ends, sample names in quotes with
// blanks, an empty name, NaN for missing values. With sample labels on, every template reads
// them without a single warning.
TEST_F(GraphRendering, QuotedNamesNaNAndCrLfAreReadWithoutWarnings) {
    const std::string three = "\"KV 01 Mt\" NaN NaN \r\n\"\"  850 -12.5 \r\nKV-02 820 -13 \r\n";
    writeRunFile("TlogfO2.dat", "SampleNo T(oC) logfO2\r\n" + three);
    writeRunFile("TfO2SL81.dat", "SampleNo T(oC) logfO2\r\n" + three);
    writeRunFile("TfO2BL64Grid.dat", "SampleNo T(oC) logfO2\r\n" + three);
    writeRunFile("XUspXIlm.dat",
                 "SampleNo XUsp XIlm\r\n\"KV 01 Mt\" NaN NaN \r\nKV-02  0.3  0.85 \r\n");
    writeRunFile("MgMnIlmMagBH88.dat",
                 "SampleNo Ilm(Mg/Mn) Mag(Mg/Mn)\r\n\"KV 01 Mt\" NaN NaN \r\nKV-02  0.8  0.7 \r\n");
    writeRunFile("TiR2R3.dat",
                 "SampleNo TiMag R2+Mag R3+Mag SampleNo TiIlm R2+Ilm R3+Ilm\r\n"
                 "\"KV 01 Mt\"  0.3  1.3  1.4 \"\" NaN NaN NaN \r\n"
                 "KV-02  0.3  1.3  1.4 \"KV 02 Ilm\"  0.9  0.9  0.2 \r\n");
    writeRunFile("TDeltaNNO.dat",
                 "SampleNo T(oC) DeltaNNO\r\n\"KV 01 Mt\" NaN NaN \r\n"
                 "\"KV 01 Mt\"  800  1.5 \r\nKV-02  850 -0.5 \r\nKV-02  830  0.2 \r\n");

    for (const auto& [name, files] : renderAll(true)) {
        EXPECT_EQ(readFile(files.messages), "") << name;
        EXPECT_EQ(readPng(files.image).error, "") << name;
    }
}

// No plot data files at all (the Graph menu before the first run): every template draws its
// axes and reference curves.
TEST_F(GraphRendering, MissingFilesDoNotMakeAnyTemplateFail) {
    for (const auto& [name, files] : renderAll(true)) {
        const auto pixels = readPng(files.image);
        ASSERT_EQ(pixels.error, "") << name;
        EXPECT_GT(drawnPixels(pixels), 12000) << name << " is (nearly) blank";
    }
}

// Lines whose every value is NaN (every estimate withdrawn, a phase without an analysis): gnuplot
// 5.4 crashes on sample labels none of which has a place, so no template draws them then.
TEST_F(GraphRendering, FilesWithoutADefinedPointDrawWithAndWithoutSampleLabels) {
    for (const PlotFileSpec& file : plotFiles()) {
        const bool ternary = file.fileName == "TiR2R3.dat";
        writeRunFile(file.fileName, std::string(file.header) + "\r\n" +
                                        (ternary ? "M1 NaN  NaN  NaN I1 NaN  NaN  NaN \r\n"
                                                 : "M1 NaN  NaN \r\nM2 NaN  NaN \r\n"));
    }
    for (bool labels : {false, true}) {
        for (const auto& [name, files] : renderAll(labels)) {
            EXPECT_GT(drawnPixels(readPng(files.image)), 12000) << name;
        }
    }
    // Magnetites without a point, ilmenites with one: the ilmenites are named.
    writeRunFile("TiR2R3.dat",
                 "SampleNo TiMag R2+Mag R3+Mag SampleNo TiIlm R2+Ilm R3+Ilm\r\n"
                 "M1 NaN  NaN  NaN \"KV 02 Ilm\"  0.9  0.9  0.2 \r\n");
    const fs::path svg = root_ / "images" / "TiR2R3.svg";
    ASSERT_TRUE(renderGraphTemplate(gnuplot_, folders_.templates / "TiR2R3.grf", folders_,
                                    ImageFormat::Svg, svg, {true, root_ / "warnings.txt"})
                    .done);
    EXPECT_NE(readFile(svg).find("KV 02 Ilm"), std::string::npos);
}

TEST_F(GraphRendering, AFailingTemplateLeavesTheEarlierImageAndNoPartialFile) {
    const fs::path broken = root_ / "Broken.grf";
    std::ofstream(broken) << "plot this is not gnuplot\n";
    const fs::path image = root_ / "images" / "Broken.png";
    std::ofstream(image) << "earlier image";

    const RenderResult result = renderGraphTemplate(gnuplot_, broken, folders_, ImageFormat::Png,
                                                    image, {false, root_ / "errors.txt"});
    EXPECT_FALSE(result.done);
    EXPECT_NE(result.problem.find("gnuplot failed"), std::string::npos) << result.problem;
    EXPECT_NE(readFile(root_ / "errors.txt"), "");
    EXPECT_EQ(readFile(image), "earlier image");
    EXPECT_EQ(std::distance(fs::directory_iterator(root_ / "images"), fs::directory_iterator()), 1);
}

TEST_F(GraphRendering, SvgAndPdfAreWrittenToo) {
    PlotDataWriter(folders_.working).close();
    for (ImageFormat format : {ImageFormat::Svg, ImageFormat::Pdf}) {
        const fs::path image = root_ / "images" / ("TiR2R3" + std::string(imageExtension(format)));
        ASSERT_TRUE(renderGraphTemplate(gnuplot_, folders_.templates / "TiR2R3.grf", folders_,
                                        format, image, {false, root_ / "warnings.txt"})
                        .done);
        const std::string text = readFile(image);
        EXPECT_EQ(text.substr(0, 5), format == ImageFormat::Pdf ? "%PDF-" : "<?xml");
    }
    EXPECT_EQ(imageFormatNamed("pdf"), ImageFormat::Pdf);
    EXPECT_FALSE(imageFormatNamed("gif"));
}

TEST(ProgramRun, FindsProgramsAndRunsThemInAFolderWithTheirExitStatus) {
    EXPECT_FALSE(findProgram("sh", environmentSearchPath()).empty());
    EXPECT_EQ(findProgram("sh", "/kelvorad/none:/bin"), fs::path("/bin/sh"));
    EXPECT_TRUE(findProgram("kelvorad-no-such-program", environmentSearchPath()).empty());
    EXPECT_TRUE(findProgram("/kelvorad/none/gnuplot", environmentSearchPath()).empty());

    const fs::path folder =
        fs::temp_directory_path() / ("kelvorad_run_" + std::to_string(getpid()));
    fs::create_directories(folder);
    EXPECT_EQ(runProgram("/bin/sh", {"-c", "pwd > where.txt; echo oops >&2; exit 3"}, folder,
                         folder / "errors.txt"),
              3);
    EXPECT_EQ(readFile(folder / "where.txt"), fs::canonical(folder).string() + "\n");
    EXPECT_EQ(readFile(folder / "errors.txt"), "oops\n");
    EXPECT_EQ(runProgram("/kelvorad/none/gnuplot", {}, folder), -1);
    EXPECT_EQ(runProgram("/bin/sh", {"-c", "exit 0"}, folder / "missing-folder"), -1);
    fs::remove_all(folder);
}

}  // namespace
