// "kelvorad calc" writing onto every kind of target, through the command-line entry function:
// for each, the exit status, the message and what became of the old file.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "cli/cli_main.h"
#include "command_line_test.h"
#include "scratch_mounts.h"

using namespace kelvorad;
namespace fs = std::filesystem;
using kelvorad::testing::ScratchFolder;

namespace {

const char* const kPair = kelvorad::testing::kOnePair;

std::string readFile(const fs::path& path) {
    return kelvorad::testing::readWholeFile(path);
}

void writeFile(const fs::path& path, const std::string& text, fs::perms mode) {
    std::ofstream(path, std::ios::binary) << text;
    fs::permissions(path, mode);
}

class CalcOutputTargets : public kelvorad::testing::CommandLineTest {
  protected:
    void SetUp() override {
        CommandLineTest::SetUp();
        std::ofstream input(dir_ / "pairs.tsv", std::ios::binary);
        for (int i = 0; i < 300; ++i) input << kPair << "\n";
    }

    // Runs "kelvorad calc pairs.tsv ARGS --plot-dir plots" with stdout and stderr captured.
    int calc(std::vector<std::string> args) {
        args.insert(args.begin(), {"calc", (dir_ / "pairs.tsv").string()});
        if (std::find(args.begin(), args.end(), "--plot-dir") == args.end()) {
            args.insert(args.end(), {"--plot-dir", (dir_ / "plots").string()});
        }
        return runKelvorad(std::move(args));
    }
    // Runs calc with standard output on /dev/full.
    int calcIntoFullDevice(std::vector<std::string> args) {
        std::fflush(stdout);
        const int saved = ::dup(STDOUT_FILENO);
        const int full = ::open("/dev/full", O_WRONLY);
        ::dup2(full, STDOUT_FILENO);
        ::close(full);
        args.insert(args.begin(), {"kelvorad", "calc", (dir_ / "pairs.tsv").string(), "--plot-dir",
                                   (dir_ / "plots").string()});
        std::vector<char*> argv;
        for (auto& a : args) argv.push_back(a.data());
        ::testing::internal::CaptureStderr();
        const int code = runCommandLine(static_cast<int>(argv.size()), argv.data());
        err_ = ::testing::internal::GetCapturedStderr();
        std::fflush(stdout);
        std::clearerr(stdout);
        ::dup2(saved, STDOUT_FILENO);
        ::close(saved);
        return code;
    }
};

}  // namespace

TEST_F(CalcOutputTargets, ReadOnlyFolderFailsNamingTheFileAndKeepsIt) {
    const fs::path folder = dir_ / "locked";
    fs::create_directories(folder);
    writeFile(folder / "rows.txt", "old rows", fs::perms(0644));
    ScratchFolder readOnly(folder, ScratchFolder::Kind::ReadOnly);
    ASSERT_TRUE(readOnly.usable());

    EXPECT_EQ(calc({"--rows", (folder / "rows.txt").string()}), 1);
    EXPECT_NE(err_.find("cannot write '" + (folder / "rows.txt").string() + "': "),
              std::string::npos)
        << err_;
    EXPECT_EQ(readFile(folder / "rows.txt"), "old rows");

    EXPECT_EQ(calc({"--xlsx", (folder / "Output.xlsx").string()}), 1);
    EXPECT_NE(err_.find((folder / "Output.xlsx").string() + ": "), std::string::npos) << err_;
    EXPECT_EQ(err_.find("[ERROR]"), std::string::npos) << err_;
    EXPECT_EQ(err_.find(".new"), std::string::npos) << err_;
    EXPECT_EQ(err_.find(".XXXXXX"), std::string::npos) << err_;
}

TEST_F(CalcOutputTargets, FullFileSystemKeepsOldOutputsAndFails) {
    const fs::path small = dir_ / "small";
    ScratchFolder tmpfs(small, ScratchFolder::Kind::SmallTmpfs);
    if (!tmpfs.usable()) GTEST_SKIP() << "mounting a tmpfs needs root";
    writeFile(small / "rows.txt", "old rows", fs::perms(0644));
    writeFile(small / "Output.xlsx", "old workbook", fs::perms(0644));
    fs::create_directories(small / "plots");
    writeFile(small / "plots" / "TlogfO2.dat", "old plot", fs::perms(0644));
    tmpfs.fillUp();

    EXPECT_EQ(calc({"--rows", (small / "rows.txt").string(), "--xlsx",
                    (small / "Output.xlsx").string(), "--plot-dir", (small / "plots").string()}),
              1);
    EXPECT_NE(err_.find("kelvorad calc: cannot write '" + (small / "rows.txt").string() +
                        "': No space left on device"),
              std::string::npos)
        << err_;
    EXPECT_NE(err_.find("plot data file not written: TlogfO2.dat: No space left on device"),
              std::string::npos)
        << err_;
    EXPECT_NE(err_.find("kelvorad calc: " + (small / "Output.xlsx").string() + ": "),
              std::string::npos)
        << err_;
    EXPECT_EQ(err_.find("[ERROR]"), std::string::npos) << err_;
    EXPECT_EQ(readFile(small / "rows.txt"), "old rows");
    EXPECT_EQ(readFile(small / "Output.xlsx"), "old workbook");
    EXPECT_EQ(readFile(small / "plots" / "TlogfO2.dat"), "old plot");
}

TEST_F(CalcOutputTargets, SymlinkReplacesTheFileItPointsTo) {
    writeFile(dir_ / "real.txt", "old rows", fs::perms(0640));
    fs::create_symlink("real.txt", dir_ / "link.txt");

    EXPECT_EQ(calc({"--rows", (dir_ / "link.txt").string()}), 0) << err_;
    EXPECT_TRUE(fs::is_symlink(dir_ / "link.txt"));
    EXPECT_EQ(fs::read_symlink(dir_ / "link.txt"), "real.txt");
    EXPECT_NE(readFile(dir_ / "real.txt").find("MT-01"), std::string::npos);
    EXPECT_EQ(fs::status(dir_ / "real.txt").permissions(), fs::perms(0640));
}

TEST_F(CalcOutputTargets, DevNullIsWrittenNotReplaced) {
    EXPECT_EQ(calc({"--rows", "/dev/null", "--table", "/dev/null", "--xlsx", "/dev/null"}), 0)
        << err_;
    EXPECT_EQ(err_, "");
    EXPECT_TRUE(fs::is_character_file("/dev/null"));
    EXPECT_EQ(readFile("/dev/null"), "");
}

TEST_F(CalcOutputTargets, ReadOnlyFileIsRefusedAndKeptAsItWas) {
    writeFile(dir_ / "rows.txt", "old rows", fs::perms(0444));

    EXPECT_EQ(calc({"--rows", (dir_ / "rows.txt").string()}), 1);
    EXPECT_EQ(err_, "kelvorad calc: cannot write '" + (dir_ / "rows.txt").string() +
                        "': the file is read-only\n");
    EXPECT_EQ(readFile(dir_ / "rows.txt"), "old rows");
    EXPECT_EQ(fs::status(dir_ / "rows.txt").permissions(), fs::perms(0444));

    writeFile(dir_ / "Output.xlsx", "old workbook", fs::perms(0444));
    EXPECT_EQ(calc({"--xlsx", (dir_ / "Output.xlsx").string()}), 1);
    EXPECT_EQ(err_,
              "kelvorad calc: " + (dir_ / "Output.xlsx").string() + ": the file is read-only\n");
    EXPECT_EQ(readFile(dir_ / "Output.xlsx"), "old workbook");
}

TEST_F(CalcOutputTargets, PrivateFileStaysPrivate) {
    writeFile(dir_ / "rows.txt", "old rows", fs::perms(0600));
    writeFile(dir_ / "Output.xlsx", "old workbook", fs::perms(0600));

    EXPECT_EQ(
        calc({"--rows", (dir_ / "rows.txt").string(), "--xlsx", (dir_ / "Output.xlsx").string()}),
        0)
        << err_;
    EXPECT_NE(readFile(dir_ / "rows.txt").find("MT-01"), std::string::npos);
    EXPECT_EQ(readFile(dir_ / "Output.xlsx").substr(0, 2), "PK");
    EXPECT_EQ(fs::status(dir_ / "rows.txt").permissions(), fs::perms(0600));
    EXPECT_EQ(fs::status(dir_ / "Output.xlsx").permissions(), fs::perms(0600));
    // Nothing but the outputs, the input and the plot folder is left in the folder.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 4);
}

TEST_F(CalcOutputTargets, StandardOutputOnAFullDeviceFails) {
    EXPECT_EQ(calcIntoFullDevice({}), 1);
    EXPECT_NE(err_.find("cannot write standard output: No space left on device"), std::string::npos)
        << err_;

    EXPECT_EQ(calcIntoFullDevice({"--rows", "-"}), 1);
    EXPECT_NE(err_.find("cannot write standard output: No space left on device"), std::string::npos)
        << err_;
    EXPECT_EQ(err_.find("standard output"), err_.rfind("standard output")) << "said once";
}
