// Every kind of target an output file can meet, through AtomicFile and the plot data writer:
// the exit (problems reported), the message and what became of the old file.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <thread>

#include "atomic_file.h"
#include "calculation_run.h"
#include "engine_test_pairs.h"
#include "plot_data_files.h"
#include "scratch_mounts.h"

using namespace kelvorad;
namespace fs = std::filesystem;
using kelvorad::testing::ScratchFolder;

namespace {

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void writeFile(const fs::path& path, const std::string& text, fs::perms mode) {
    std::ofstream(path, std::ios::binary) << text;
    fs::permissions(path, mode);
}

fs::perms modeOf(const fs::path& path) {
    return fs::status(path).permissions();
}

class OutputTargets : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("kelvorad_targets_" + std::to_string(getpid()) + "_" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        plots_ = dir_ / "plots";
        fs::create_directories(plots_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    // The seven old plot files, "old <name>" each, with `mode`.
    void writeOldPlotFiles(const fs::path& folder, fs::perms mode = fs::perms(0644)) {
        for (const PlotFileSpec& spec : plotFiles()) {
            writeFile(folder / spec.fileName, "old " + std::string(spec.fileName), mode);
        }
    }
    void expectOldPlotFiles(const fs::path& folder) {
        for (const PlotFileSpec& spec : plotFiles()) {
            EXPECT_EQ(readFile(folder / spec.fileName), "old " + std::string(spec.fileName))
                << spec.fileName;
        }
    }
    // Runs the writer over a few real pairs in `folder`; returns its problems.
    static std::vector<std::string> writePlots(const fs::path& folder) {
        MethodChecks checks;
        applyRunStartSteps(checks);
        CalculationRun run(checks);
        PlotDataWriter writer(folder);
        const PairResult result =
            run.computePair(kelvorad::testing::pairFromCells(kelvorad::testing::daciteCells()));
        for (int i = 0; i < 200; ++i) writer.addPair(result, checks);
        return writer.close();
    }
    static std::size_t entriesIn(const fs::path& folder) {
        return static_cast<std::size_t>(
            std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
    }

    fs::path dir_;
    fs::path plots_;
};

}  // namespace

TEST_F(OutputTargets, FullFileSystemLeavesEveryOldPlotFileWhole) {
    const fs::path small = dir_ / "small";
    ScratchFolder tmpfs(small, ScratchFolder::Kind::SmallTmpfs);
    if (!tmpfs.usable()) GTEST_SKIP() << "mounting a tmpfs needs root";
    writeOldPlotFiles(small);
    tmpfs.fillUp();

    const std::vector<std::string> problems = writePlots(small);
    ASSERT_EQ(problems.size(), static_cast<std::size_t>(kPlotFileCount));
    for (const std::string& problem : problems) {
        EXPECT_NE(problem.find("No space left on device"), std::string::npos) << problem;
    }
    expectOldPlotFiles(small);
    EXPECT_EQ(entriesIn(small), static_cast<std::size_t>(kPlotFileCount) + 1)
        << "no temporary file stays behind";
}

TEST_F(OutputTargets, ReadOnlyFolderKeepsOldPlotFilesAndNamesEach) {
    writeOldPlotFiles(plots_);
    ScratchFolder readOnly(plots_, ScratchFolder::Kind::ReadOnly);
    ASSERT_TRUE(readOnly.usable());

    const std::vector<std::string> problems = writePlots(plots_);
    ASSERT_EQ(problems.size(), static_cast<std::size_t>(kPlotFileCount));
    EXPECT_EQ(problems.front().rfind("TlogfO2.dat: ", 0), 0u) << problems.front();
    expectOldPlotFiles(plots_);
}

TEST_F(OutputTargets, PlotFilesFollowLinksRefuseReadOnlyAndKeepModes) {
    writeOldPlotFiles(plots_);
    // TlogfO2.dat links to a file elsewhere, TfO2SL81.dat to /dev/null, TiR2R3.dat is
    // read-only, Tdeltanno is private (0600).
    fs::create_directories(dir_ / "elsewhere");
    writeFile(dir_ / "elsewhere" / "real.dat", "old real", fs::perms(0640));
    fs::remove(plots_ / plotFiles()[kTlogfO2].fileName);
    fs::create_symlink("../elsewhere/real.dat", plots_ / plotFiles()[kTlogfO2].fileName);
    fs::remove(plots_ / plotFiles()[kTfO2SL81].fileName);
    fs::create_symlink("/dev/null", plots_ / plotFiles()[kTfO2SL81].fileName);
    const fs::path readOnly = plots_ / plotFiles()[kTiR2R3].fileName;
    fs::permissions(readOnly, fs::perms(0444));
    const fs::path secret = plots_ / plotFiles()[kTDeltaNNO].fileName;
    fs::permissions(secret, fs::perms(0600));

    const std::vector<std::string> problems = writePlots(plots_);
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(problems.front(),
              std::string(plotFiles()[kTiR2R3].fileName) + ": the file is read-only");
    EXPECT_EQ(readFile(readOnly), "old " + std::string(plotFiles()[kTiR2R3].fileName));
    EXPECT_EQ(modeOf(readOnly), fs::perms(0444));

    const fs::path link = plots_ / plotFiles()[kTlogfO2].fileName;
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(readFile(dir_ / "elsewhere" / "real.dat").rfind(plotFiles()[kTlogfO2].header, 0), 0u);
    EXPECT_EQ(modeOf(dir_ / "elsewhere" / "real.dat"), fs::perms(0640));

    EXPECT_TRUE(fs::is_symlink(plots_ / plotFiles()[kTfO2SL81].fileName));
    EXPECT_TRUE(fs::is_character_file("/dev/null"));

    EXPECT_EQ(readFile(secret).rfind(plotFiles()[kTDeltaNNO].header, 0), 0u);
    EXPECT_EQ(modeOf(secret), fs::perms(0600));
}

TEST_F(OutputTargets, NamedWritersGetAStagingFileAndDevicesAreFedDirectly) {
    // A writer that takes a file name (as the workbook library does) writes a staging file; a
    // FIFO then receives its bytes through the FIFO itself, which stays a FIFO.
    const fs::path fifo = dir_ / "pipe";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    std::string received;
    std::thread reader([&] { received = readFile(fifo); });
    {
        AtomicFile file;
        ASSERT_TRUE(file.open(fifo.string())) << file.error();
        const std::string staging = file.stagingPath();
        ASSERT_FALSE(staging.empty());
        EXPECT_NE(fs::path(staging).parent_path(), dir_);
        std::ofstream(staging, std::ios::binary) << "staged bytes";
        EXPECT_TRUE(file.commit()) << file.error();
        EXPECT_FALSE(fs::exists(staging));
    }
    reader.join();
    EXPECT_EQ(received, "staged bytes");
    EXPECT_TRUE(fs::is_fifo(fifo));

    // For a regular file the staging file lies beside it and is renamed over it.
    const fs::path target = dir_ / "named.out";
    writeFile(target, "old", fs::perms(0600));
    AtomicFile file;
    ASSERT_TRUE(file.open(target.string()));
    const std::string staging = file.stagingPath();
    EXPECT_EQ(fs::path(staging).parent_path(), dir_);
    std::ofstream(staging, std::ios::binary) << "new";
    EXPECT_EQ(readFile(target), "old");
    ASSERT_TRUE(file.commit()) << file.error();
    EXPECT_EQ(readFile(target), "new");
    EXPECT_EQ(modeOf(target), fs::perms(0600));
}

TEST_F(OutputTargets, FoldersLinkLoopsAndUncommittedFilesLeaveNothingBehind) {
    AtomicFile folder;
    EXPECT_FALSE(folder.open(dir_.string()));
    EXPECT_EQ(folder.error(), "cannot write '" + dir_.string() + "': it is a folder");

    fs::create_symlink("loop2", dir_ / "loop1");
    fs::create_symlink("loop1", dir_ / "loop2");
    AtomicFile loop;
    EXPECT_FALSE(loop.open((dir_ / "loop1").string()));
    EXPECT_NE(loop.error().find("loop1"), std::string::npos);

    // A dangling link gets its file created, as a shell redirection does.
    fs::create_symlink("made.txt", dir_ / "dangling");
    EXPECT_EQ(writeWholeFile((dir_ / "dangling").string(), "made"), "");
    EXPECT_EQ(readFile(dir_ / "made.txt"), "made");
    EXPECT_TRUE(fs::is_symlink(dir_ / "dangling"));

    const std::size_t before = entriesIn(dir_);
    {
        AtomicFile dropped;
        ASSERT_TRUE(dropped.open((dir_ / "never.txt").string()));
        dropped.write("lost");
    }
    EXPECT_EQ(entriesIn(dir_), before);
}
