// New File, Open File, Save As, Close and Exit, and the safeguards around them: the
// unsaved-change question, a cancelled Open, failures named to the user, mended cells.
#include "main_window_fixture.h"

namespace kelvorad::fakes {
namespace {

using FileCommands = MainWindowTest;
using Answer = MessageBoxes::Answer;

std::string emptyFileContent(int rows) {
    std::string expected = "\"";
    for (int r = 0; r < rows; ++r) expected += (r ? "\r" : "") + std::string(34, '\t');
    return expected + "\"\r\n";
}

TEST_F(FileCommands, NewFileShowsTheTableAndWritesTheEmptyDataArea) {
    std::filesystem::remove("mi.tem");
    action("mnuNewFile").trigger();
    EXPECT_EQ(title(), "New  File");
    EXPECT_TRUE(grid().isVisible());
    EXPECT_TRUE(widget("Text1").isVisible());
    EXPECT_FALSE(widget("Frame1").isVisible());
    EXPECT_EQ(panel1(), "New File");
    EXPECT_TRUE(widget("StatusBar1Panel1").isEnabled());
    for (const char* name :
         {"mnuSaveAs", "mnuClose", "mnuClear", "mnuDelete", "mnuEditCut", "mnuEditCopy",
          "mnuEditPaste", "mnuEditDelete", "mnuEditInsertRow", "mnuEditSelectAll", "mnuOEF"}) {
        EXPECT_TRUE(action(name).isEnabled()) << name;
    }
    for (int p : {3, 4, 7, 8, 9, 10, 11}) EXPECT_TRUE(window->toolbarButton(p).isEnabled()) << p;
    EXPECT_EQ(readBytes("mi.tem"), emptyFileContent(350));
    EXPECT_TRUE(desktop.messages.shown.empty());
}

TEST_F(FileCommands, TypedCellsSurviveSaveCloseAndOpen) {
    action("mnuNewFile").trigger();
    clickCell(1, 1);
    type("MT-1");
    key(Qt::Key_Return);
    type("0.08");
    key(Qt::Key_Tab);
    type("8.41");
    clickCell(1, 18);
    type("spacer");
    clickCell(2, 19);
    type("ILM-2");
    clickCell(350, 35);
    type("0.5");
    ASSERT_EQ(table().text(1, 1), "MT-1");
    ASSERT_EQ(table().text(1, 3), "8.41");
    ASSERT_EQ(table().text(1, 18), "spacer");
    const AnalysisTable typed = table();

    const std::string path = scratchPath("typed.mi");
    saveAs(path);
    EXPECT_EQ(title(), "Save As");
    EXPECT_EQ(panel1(), QString::fromStdString(path));
    EXPECT_EQ(window->currentFileName(), "") << "Save As does not change the current file";
    action("mnuClose").trigger();
    EXPECT_EQ(title(), "Start-up Screen");
    EXPECT_FALSE(grid().isVisible());
    EXPECT_FALSE(action("mnuSaveAs").isEnabled());
    action("mnuNewFile").trigger();
    ASSERT_EQ(table().text(1, 1), "") << "New File empties the table";

    openFile(path);
    EXPECT_EQ(title(), "Data Entry Screen");
    EXPECT_EQ(window->currentFileName(), path);
    EXPECT_EQ(panel1(), QString::fromStdString(path));
    EXPECT_TRUE(window->isOpenFileToCalculateChecked());
    EXPECT_FALSE(action("mnu9703").isEnabled());
    EXPECT_FALSE(window->toolbarButton(15).isEnabled());
    for (int r = 1; r <= 350; ++r) {
        for (int c = 1; c <= 35; ++c) {
            ASSERT_EQ(table().text(r, c), typed.text(r, c)) << r << "," << c;
        }
    }
    EXPECT_EQ(grid().model()->index(1, 18).data().toString(), "spacer");
    EXPECT_TRUE(desktop.messages.shown.empty());
    // The dialogs were asked with the program's exact filters.
    ASSERT_GE(desktop.dialogs.calls.size(), 2u);
    EXPECT_EQ(desktop.dialogs.calls[0].filter, "Magnetite and Ilmenite files(*.mi) |*.mi");
    EXPECT_EQ(desktop.dialogs.calls.back().filter, "Magnetite and Ilmenite(*.mi) |*.mi");
}

TEST_F(FileCommands, FreshTableSavesAs350RowsAndInsertRowAddsOne) {
    action("mnuNewFile").trigger();
    const std::string fresh = scratchPath("fresh.mi");
    saveAs(fresh);
    EXPECT_EQ(readBytes(fresh), emptyFileContent(350));

    clickCell(3, 2);
    key(Qt::Key_I, Qt::ControlModifier);
    EXPECT_EQ(table().rowCount(), 352);
    const std::string inserted = scratchPath("inserted.mi");
    saveAs(inserted);
    EXPECT_EQ(readBytes(inserted), emptyFileContent(351));
}

TEST_F(FileCommands, UnsavedChangesAreAskedAboutEachWay) {
    action("mnuNewFile").trigger();
    action("mnuNewFile").trigger();
    EXPECT_EQ(desktop.messages.questionCount(), 0) << "nothing to lose, nothing asked";

    clickCell(1, 1);
    type("MT-1");
    desktop.messages.answers = {Answer::Cancel};
    action("mnuNewFile").trigger();
    EXPECT_EQ(desktop.messages.questionCount(), 1);
    EXPECT_EQ(desktop.messages.shown.back().text, "Save changes to the analysis table?");
    EXPECT_EQ(table().text(1, 1), "MT-1") << "Cancel keeps the table";

    const std::string saved = scratchPath("asked.mi");
    desktop.messages.answers = {Answer::Yes};
    desktop.dialogs.answers = {""};  // Yes, then the save dialog cancelled: nothing happens
    action("mnuNewFile").trigger();
    EXPECT_EQ(table().text(1, 1), "MT-1");

    desktop.messages.answers = {Answer::Yes};
    desktop.dialogs.answers = {saved};
    action("mnuNewFile").trigger();
    EXPECT_EQ(table().text(1, 1), "");
    EXPECT_NE(readBytes(saved).find("MT-1"), std::string::npos) << "saved before clearing";

    clickCell(1, 1);
    type("MT-2");
    desktop.messages.answers = {Answer::No};
    action("mnuNewFile").trigger();
    EXPECT_EQ(table().text(1, 1), "") << "No clears without saving";
    EXPECT_EQ(readBytes(saved).find("MT-2"), std::string::npos);
}

TEST_F(FileCommands, ExitAsksFirstThenClosesEverything) {
    int closedOthers = 0;
    int quitSpreadsheet = 0;
    window->setHook(WindowHook::CloseOtherWindows, [&] { ++closedOthers; });
    window->setHook(WindowHook::QuitSpreadsheet, [&] { ++quitSpreadsheet; });
    action("mnuNewFile").trigger();
    clickCell(2, 2);
    type("1.5");

    desktop.messages.answers = {Answer::Cancel};
    action("mnuExit").trigger();
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(closedOthers, 0);

    desktop.messages.answers = {Answer::Cancel};
    window->toolbarButton(5).trigger();
    EXPECT_TRUE(window->isVisible());

    desktop.messages.answers = {Answer::No};
    key(Qt::Key_X, Qt::ControlModifier);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(closedOthers, 1);
    EXPECT_EQ(quitSpreadsheet, 1);
    EXPECT_EQ(desktop.messages.questionCount(), 3);
}

TEST_F(FileCommands, CancelledOpenChangesNothing) {
    // A "mi.dat" in the working folder must not be read in place of a chosen file.
    std::ofstream("mi.dat", std::ios::binary) << "\"from mi.dat\"\r\n";
    action("mnuNewFile").trigger();
    clickCell(4, 4);
    type("kept");
    const QString titleBefore = title();
    action("mnuOpenFile").trigger();  // no answer queued: the dialog is cancelled
    EXPECT_EQ(desktop.dialogs.calls.size(), 1u);
    EXPECT_EQ(title(), titleBefore);
    EXPECT_EQ(table().text(4, 4), "kept");
    EXPECT_EQ(table().text(1, 1), "");
    EXPECT_TRUE(grid().isVisible()) << "no Close";
    EXPECT_TRUE(action("mnuSaveAs").isEnabled());
    EXPECT_FALSE(window->isOpenFileToCalculateChecked());
    EXPECT_EQ(window->currentFileName(), "");
    EXPECT_EQ(desktop.messages.shown.size(), 0u) << "a cancelled dialog asks nothing";
    std::filesystem::remove("mi.dat");
}

TEST_F(FileCommands, FailuresNameTheFileAndTheReason) {
    action("mnuNewFile").trigger();
    clickCell(1, 1);
    type("MT-1");

    const std::string noFolder = scratchPath("no-such-folder") + "/target.mi";
    saveAs(noFolder);
    ASSERT_EQ(desktop.messages.shown.size(), 1u);
    EXPECT_EQ(desktop.messages.shown[0].title, "Path not found");
    EXPECT_NE(desktop.messages.shown[0].text.find(noFolder), std::string::npos);
    EXPECT_NE(desktop.messages.shown[0].text.find("No such file or directory"), std::string::npos);
    EXPECT_TRUE(window->document().hasUnsavedChanges()) << "a failed save saved nothing";

    // A folder where the file should go: the save fails and leaves the folder as it was.
    const std::string inTheWay = scratchPath("in-the-way.mi");
    std::filesystem::create_directories(inTheWay + "/content");
    saveAs(inTheWay);
    ASSERT_EQ(desktop.messages.shown.size(), 2u);
    EXPECT_NE(desktop.messages.shown[1].text.find(inTheWay), std::string::npos);
    EXPECT_TRUE(std::filesystem::is_directory(inTheWay + "/content"));
    for (const auto& entry : std::filesystem::directory_iterator(scratchPath(""))) {
        EXPECT_EQ(entry.path().filename().string().find(".tmp"), std::string::npos)
            << "no temporary file is left behind";
    }

    const std::string missing = scratchPath("missing.mi");
    openFile(missing);
    ASSERT_EQ(desktop.messages.questionCount(), 1) << "the unsaved cell was asked about";
    desktop.messages.shown.clear();
    desktop.messages.answers = {Answer::No};
    openFile(missing);
    ASSERT_EQ(desktop.messages.shown.size(), 2u);
    EXPECT_EQ(desktop.messages.shown[1].title, "File not found");
    EXPECT_NE(desktop.messages.shown[1].text.find(missing), std::string::npos);
    EXPECT_EQ(title(), "Data Entry Screen");
    EXPECT_EQ(table().text(1, 1), "MT-1") << "the table keeps its contents";
}

TEST_F(FileCommands, CellsTheFormatCannotHoldAreMendedAndCounted) {
    action("mnuNewFile").trigger();
    clickCell(1, 1);
    type("say \"hi\"");
    clickCell(2, 2);
    widget<QLineEdit>("Text1").setText("a\tb");  // only the editor can hold a TAB
    const std::string path = scratchPath("mended.mi");
    saveAs(path);
    ASSERT_EQ(desktop.messages.shown.size(), 1u);
    EXPECT_NE(desktop.messages.shown[0].text.find("changing 2 cells"), std::string::npos);
    EXPECT_EQ(readBytes(path).substr(0, 12), "\"say ''hi''\t");

    action("mnuNewFile").trigger();
    openFile(path);
    EXPECT_EQ(table().text(1, 1), "say ''hi''");
    EXPECT_EQ(table().text(2, 2), "a b");
    EXPECT_EQ(table().text(2, 3), "") << "the TAB did not split the cell";
}

TEST_F(FileCommands, OpenFileNamedStartsTheWindowOnThatFile) {
    const std::string path = scratchPath("command-line.mi");
    std::ofstream(path, std::ios::binary) << "\"MT-1\t0.1\rMT-2\"\r\n";
    window->openFileNamed(path);
    EXPECT_EQ(table().text(1, 1), "MT-1");
    EXPECT_EQ(table().text(2, 1), "MT-2");
    EXPECT_EQ(title(), "Data Entry Screen");
    EXPECT_EQ(panel1(), QString::fromStdString(path));
    EXPECT_TRUE(grid().isVisible());
    EXPECT_FALSE(window->document().hasUnsavedChanges());
    EXPECT_TRUE(desktop.dialogs.calls.empty());
}

}  // namespace
}  // namespace kelvorad::fakes
