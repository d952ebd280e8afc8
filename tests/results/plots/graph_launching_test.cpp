#include "graph_launching.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "fake_desktop_services.h"
#include "graph_menu.h"

using namespace kelvorad;
using kelvorad::fakes::FakeFileDialogs;
using kelvorad::fakes::FakeShell;
namespace fs = std::filesystem;

namespace {

// A working folder (where a run wrote its plot data files) and a folder of shipped templates.
class GraphLaunching : public ::testing::Test {
  protected:
    void SetUp() override {
        root_ = fs::temp_directory_path() /
                ("kelvorad_launch_" + std::to_string(getpid()) + "_" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(root_);
        folders_ = {root_ / "run", root_ / "share's templates"};
        fs::create_directories(folders_.working);
        fs::create_directories(folders_.templates);
        for (const GraphMenuItem& item : graphMenu()) {
            if (item.kind == GraphMenuKind::Template) touch(folders_.templates / item.templateFile);
        }
    }
    void TearDown() override { fs::remove_all(root_); }

    static void touch(const fs::path& path) { std::ofstream(path) << "plot x\n"; }

    // The arguments every launch hands gnuplot for a template path.
    std::vector<std::string> expectedArguments(const fs::path& templatePath) const {
        return {"-persist", "-e", "kelvoradTemplates = '" + root_.string() + "/share''s templates'",
                templatePath.string()};
    }

    fs::path root_;
    GraphFolders folders_;
    FakeShell shell_;
};

TEST_F(GraphLaunching, EveryMenuEntryStartsGnuplotOnItsTemplateInTheWorkingFolder) {
    std::vector<std::string> seen;
    for (const GraphMenuItem& item : graphMenu()) {
        if (item.kind != GraphMenuKind::Template) continue;
        shell_.started.clear();
        openGraphTemplate(item.templateFile, shell_, folders_);
        ASSERT_EQ(shell_.started.size(), 1u) << item.name;
        const FakeShell::Started& start = shell_.started[0];
        EXPECT_EQ(start.program, "gnuplot");
        EXPECT_EQ(start.arguments, expectedArguments(folders_.templates / item.templateFile))
            << item.name;
        EXPECT_EQ(start.workingDirectory, folders_.working.string());
        seen.push_back(start.arguments.back());
    }
    // The three T - log fO2 entries open three different templates over one data file.
    EXPECT_NE(seen[0], seen[1]);
    EXPECT_NE(seen[1], seen[2]);
    EXPECT_TRUE(shell_.opened.empty());
}

TEST_F(GraphLaunching, AnEditedCopyInTheWorkingFolderWins) {
    touch(folders_.working / "TDeltaNNO.grf");
    openGraphTemplate("TDeltaNNO.grf", shell_, folders_);
    ASSERT_EQ(shell_.started.size(), 1u);
    EXPECT_EQ(shell_.started[0].arguments.back(), (folders_.working / "TDeltaNNO.grf").string());
}

TEST_F(GraphLaunching, MissingTemplateOrMissingGnuplotIsSilent) {
    fs::remove(folders_.templates / "TiR2R3.grf");
    openGraphTemplate("TiR2R3.grf", shell_, folders_);
    openGraphTemplate("", shell_, folders_);
    EXPECT_TRUE(shell_.started.empty());

    // gnuplot not installed: the shell cannot start it, and the command just returns.
    shell_.succeed = false;
    EXPECT_NO_THROW(openGraphTemplate("TDeltaNNO.grf", shell_, folders_));
    EXPECT_EQ(shell_.started.size(), 1u);
}

TEST_F(GraphLaunching, ToolbarOpensTheChosenTemplateOrNothingWhenCancelled) {
    FakeFileDialogs dialogs;
    const fs::path elsewhere = root_ / "my graphs" / "Custom.grf";
    fs::create_directories(elsewhere.parent_path());
    touch(elsewhere);

    dialogs.answers = {elsewhere.string()};
    pickGraphTemplate(dialogs, shell_, folders_);
    ASSERT_EQ(dialogs.calls.size(), 1u);
    EXPECT_FALSE(dialogs.calls[0].save);
    EXPECT_EQ(dialogs.calls[0].filter, "Grapher files(*.grf) |*.grf");
    ASSERT_EQ(shell_.started.size(), 1u);
    EXPECT_EQ(shell_.started[0].arguments, expectedArguments(elsewhere));
    EXPECT_EQ(shell_.started[0].workingDirectory, folders_.working.string());

    pickGraphTemplate(dialogs, shell_, folders_);       // no answer left: cancelled
    dialogs.answers = {(root_ / "gone.grf").string()};  // vanished before it could be opened
    pickGraphTemplate(dialogs, shell_, folders_);
    EXPECT_EQ(dialogs.calls.size(), 3u);
    EXPECT_EQ(shell_.started.size(), 1u);
}

TEST(GraphTemplates, CurrentFoldersAreTheProcessFolderAndTheShippedTemplates) {
    const GraphFolders folders = currentGraphFolders();
    EXPECT_EQ(folders.working, fs::current_path());
    EXPECT_EQ(folders.templates.filename(), "templates");
    EXPECT_EQ(gnuplotQuoted("it's"), "'it''s'");
}

// What "gnuplot -e 'set terminal'" lists (it prints to standard error, which the window
// reads merged): gnuplot-nox names only file terminals, gnuplot-qt and gnuplot-x11 add their
// window terminals. A description that merely mentions a window word does not count.
TEST(GraphTemplates, AWindowTerminalIsFoundOnlyByItsName) {
    const std::string noWindows =
        "\nAvailable terminal types:\n"
        "       cairolatex  LaTeX picture environment using graphicx package and Cairo backend\n"
        "          pngcairo  png terminal based on cairo\n"
        "               svg  W3C Scalable Vector Graphics (x11 colours, qt-like fonts)\n"
        "            tkcanvas  Tk canvas widget\n";
    EXPECT_FALSE(listsWindowTerminal(noWindows));
    EXPECT_FALSE(listsWindowTerminal(""));
    EXPECT_TRUE(listsWindowTerminal(noWindows +
                                    "               qt  Qt cross-platform interactive terminal\n"));
    EXPECT_TRUE(listsWindowTerminal(
        noWindows + "              wxt  wxWidgets cross-platform interactive terminal"));
    EXPECT_TRUE(listsWindowTerminal("\tx11  X11 Window System interactive terminal\r\n"));
    EXPECT_FALSE(listsWindowTerminal("            qtx  not a terminal gnuplot has\n"));
    EXPECT_EQ(terminalListArguments(), (std::vector<std::string>{"-e", "set terminal"}));
}

}  // namespace
