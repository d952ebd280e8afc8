// The commands that join the windows: Display Next and Previous Screen, and Exit from the
// results window, which must not lose typed analyses.
#include "program_windows_fixture.h"

namespace kelvorad::fakes {
namespace {

using Joined = ProgramWindowsTest;
using Answer = MessageBoxes::Answer;

TEST_F(Joined, NextScreenCreatesTheResultsWindowAndPreviousScreenShowsTheMainWindow) {
    EXPECT_EQ(results(), nullptr) << "created on first use";
    main().toolbarButton(22).trigger();
    ASSERT_NE(results(), nullptr);
    EXPECT_TRUE(results()->isVisible());
    EXPECT_EQ(results()->resultsTable().rowCount(), 2);
    main().hide();
    results()->toolbarButton(16).trigger();
    EXPECT_TRUE(main().isVisible());
    EXPECT_TRUE(results()->isVisible()) << "the results window stays open";
}

TEST_F(Joined, ResultsExitAsksBeforeLosingTypedAnalyses) {
    mainAction("mnuNewFile").trigger();
    main().analysisTable().setText(1, 1, "typed");
    main().toolbarButton(22).trigger();
    main().hide();  // behind the results window, as after Display Next Screen
    desktop.messages.answers = {Answer::Cancel};
    resultsAction("mnuExit").trigger();
    EXPECT_EQ(desktop.messages.questionCount(), 1);
    EXPECT_EQ(main().analysisTable().text(1, 1), "typed");
    ASSERT_NE(results(), nullptr) << "Cancel keeps the program running";
    EXPECT_FALSE(results()->spreadsheetApplication().hasQuit());

    desktop.messages.answers = {Answer::No};
    results()->toolbarButton(7).trigger();
    EXPECT_EQ(desktop.messages.questionCount(), 2);
    EXPECT_EQ(results(), nullptr) << "the results window closed with the program";
}

TEST_F(Joined, ExitQuitsTheSpreadsheetAndClosesTheResultsWindow) {
    main().toolbarButton(22).trigger();
    ResultsWindow* window = results();
    ASSERT_NE(window, nullptr);
    window->sendResultsToWorkbook();  // unsaved in the workbook: Exit asks nothing about it
    mainAction("mnuExit").trigger();
    EXPECT_EQ(desktop.messages.questionCount(), 0);
    EXPECT_EQ(results(), nullptr);
    EXPECT_FALSE(main().isVisible());
}

TEST_F(Joined, WorkbookCommandsAreInstalledOnTheMainWindow) {
    main().toolbarButton(18).trigger();  // edit the .xlsx template
    const auto copy = folder.path() / "Kelvorad.xlsx";
    EXPECT_TRUE(std::filesystem::exists(copy));
    EXPECT_EQ(desktop.shell.opened, std::vector<std::string>{copy.string()});
    EXPECT_EQ(main().screenTitle(), "Data Entry Screen");
}

TEST_F(Joined, HelpFromBothWindowsOpensTheManualInTheDataFolder) {
    const std::string manual =
        (std::filesystem::path(KELVORAD_SHARE_DIR) / "help" / "kelvorad.html").string();
    main().toolbarButton(21).trigger();
    mainAction("mnuHelpContents").trigger();
    main().toolbarButton(22).trigger();
    results()->toolbarButton(14).trigger();
    resultsAction("mnuHelpContents").trigger();
    EXPECT_EQ(desktop.shell.opened, std::vector<std::string>(4, manual));
    EXPECT_TRUE(std::filesystem::exists(manual));
    EXPECT_TRUE(desktop.messages.shown.empty());
}

TEST_F(Joined, AboutFromBothWindowsShowsOneAboutWindow) {
    main().toolbarButton(20).trigger();
    QWidget* about = windows->infoWindows().aboutWindow();
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(about->objectName(), "Form8");
    EXPECT_TRUE(about->isVisible());
    about->close();
    main().toolbarButton(22).trigger();
    resultsAction("mnuAbaout").trigger();
    EXPECT_EQ(windows->infoWindows().aboutWindow(), about);
    EXPECT_TRUE(about->isVisible());
    EXPECT_FALSE(about->isModal());
}

}  // namespace
}  // namespace kelvorad::fakes
