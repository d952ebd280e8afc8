// Editing the results table: Enter and Tab walk down the column, typed keys, the edit box
// mirror, the clipboard commands with their shortcuts and error report, and the Graph
// commands handing templates to gnuplot.
#include <QLineEdit>
#include <QMenu>
#include <fstream>

#include "data_folder.h"
#include "graph_menu.h"
#include "graph_window.h"
#include "results_window_fixture.h"

namespace kelvorad::fakes {
namespace {

using Editing = ResultsWindowTest;

std::vector<std::string> splitOn(const std::string& text, char separator) {
    std::vector<std::string> parts(1);
    for (char c : text) {
        if (c == separator) {
            parts.emplace_back();
        } else {
            parts.back() += c;
        }
    }
    return parts;
}

TEST_F(Editing, EnterAndTabWalkDownTheColumnAndWrapToRowOneColumnZero) {
    appendRows(2);  // rows 2 and 3
    clickCell(2, 7);
    key(Qt::Key_Return);
    EXPECT_EQ(current(), std::make_pair(3, 7));
    key(Qt::Key_Tab);
    EXPECT_EQ(current(), std::make_pair(1, 0)) << "the header-text row, not the first result";
    // Typed characters go to the end of the current cell; Backspace drops the last one.
    clickCell(2, 7);
    QTest::keyClicks(&grid(), "ab");
    EXPECT_EQ(table().text(2, 7), "r2c7ab");
    key(Qt::Key_Backspace);
    EXPECT_EQ(table().text(2, 7), "r2c7a");
    // Typing into row 1 changes a header text.
    clickCell(1, 100);
    QTest::keyClicks(&grid(), "!");
    EXPECT_EQ(table().text(1, 100), "TP77S83](oC)!");
}

TEST_F(Editing, EditBoxMirrorsThePressedCellAndWritesBack) {
    appendRows(1);
    auto& editBox = widget<QLineEdit>("Text1");
    clickCell(2, 40, Qt::RightButton);
    EXPECT_EQ(editBox.text(), "r2c40");
    EXPECT_EQ(table().text(2, 40), "r2c40") << "pressing changes no cell";
    if (QWidget* popup = QApplication::activePopupWidget()) popup->close();
    editBox.setText("edited");
    EXPECT_EQ(table().text(2, 40), "edited");
}

TEST_F(Editing, SelectAllThenCopyGivesEveryRowWith211Fields) {
    appendRows(3);
    action("mnuEditSelectAll").trigger();
    action("mnuEditCopy").trigger();
    const std::vector<std::string> rows = splitOn(desktop.clipboard.content, '\r');
    ASSERT_EQ(rows.size(), 5u);
    for (const std::string& row : rows) EXPECT_EQ(splitOn(row, '\t').size(), 211u);
    EXPECT_EQ(splitOn(rows[0], '\t')[0], "Kelvorad");
    EXPECT_EQ(splitOn(rows[4], '\t')[133], "r4c133");
}

TEST_F(Editing, CtrlCCutsAndCtrlYCopies) {
    appendRows(1);
    clickCell(2, 3);
    grid().setFocus();
    key(Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(desktop.clipboard.content, "r2c3");
    EXPECT_EQ(table().text(2, 3), "r2c3");
    clickCell(2, 4);
    key(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(desktop.clipboard.content, "r2c4");
    EXPECT_EQ(table().text(2, 4), "") << "Ctrl+C cuts here";
    // Paste lays the clipboard over the selection; Delete empties it without the clipboard.
    clickCell(2, 5);
    key(Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(table().text(2, 5), "r2c4");
    key(Qt::Key_D, Qt::ControlModifier);
    EXPECT_EQ(table().text(2, 5), "");
    EXPECT_EQ(desktop.clipboard.content, "r2c4");
}

TEST_F(Editing, ClipboardFailureIsReportedFromTheToolbarAndLosesNoCell) {
    appendRows(1);
    clickCell(2, 3);
    desktop.clipboard.available = false;
    window->toolbarButton(1).trigger();  // Cut
    ASSERT_EQ(messages(), std::vector<std::string>{"Can't open clipboard"});
    EXPECT_EQ(table().text(2, 3), "r2c3") << "a failed cut empties nothing";
    // Position 6 separates groups: it runs only the report, which finds no error.
    window->runToolbarButton(6);
    window->runToolbarButton(15);
    EXPECT_EQ(messages().size(), 1u);
}

// Graph menu entries and toolbar 13 show a template's graph in a window of its own, drawn in
// the working folder; its "Open in gnuplot" starts gnuplot there on the same template.
class Graphs : public ResultsWindowTest {
  protected:
    void SetUp() override {
        ResultsWindowTest::SetUp();
        templates = folder.path() / "shipped";
        std::filesystem::create_directories(templates / "templates");
        setDataFolder(templates);
        for (const GraphMenuItem& item : graphMenu()) {
            if (item.kind == GraphMenuKind::Template)
                touch(templates / "templates" / item.templateFile);
        }
    }
    void TearDown() override {
        setDataFolder(KELVORAD_SHARE_DIR);
        ResultsWindowTest::TearDown();
    }
    static void touch(const std::filesystem::path& path) { std::ofstream(path) << "plot x\n"; }
    int graphWindowCount() { return int(window->findChildren<GraphWindow*>().size()); }
    std::filesystem::path templates;
};

TEST_F(Graphs, EachMenuEntryShowsItsTemplateDrawnInTheWorkingFolder) {
    // A user's own copy in the working folder wins over the shipped one.
    touch(folder.path() / "TDeltaNNO.grf");
    int entries = 0;
    for (const GraphMenuItem& item : graphMenu()) {
        if (item.kind != GraphMenuKind::Template) continue;
        ++entries;
        QAction& entry = action(std::string(item.name).c_str());
        EXPECT_EQ(entry.text().toStdString(), item.caption);
        entry.trigger();
        const std::filesystem::path expected = item.templateFile == "TDeltaNNO.grf"
                                                   ? folder.path() / "TDeltaNNO.grf"
                                                   : templates / "templates" / item.templateFile;
        GraphWindow* graph = window->graphWindow(expected);
        ASSERT_NE(graph, nullptr) << item.name;
        EXPECT_TRUE(graph->isVisible());
        EXPECT_EQ(graph->folders().working, std::filesystem::current_path());

        graph->openInGnuplot();
        ASSERT_EQ(desktop.shell.started.size(), 1u) << item.name;
        const auto& start = desktop.shell.started[0];
        EXPECT_EQ(start.program, "gnuplot");
        EXPECT_EQ(start.arguments.front(), "-persist");
        EXPECT_EQ(start.workingDirectory, std::filesystem::current_path().string());
        EXPECT_EQ(start.arguments.back(), expected.string()) << item.name;
        desktop.shell.started.clear();
    }
    EXPECT_EQ(entries, 10);
    EXPECT_EQ(graphWindowCount(), 10);
    // Choosing an entry again brings its window back rather than opening another.
    GraphWindow* first = window->graphWindow(templates / "templates" / "TlogfO2BL64.grf");
    ASSERT_NE(first, nullptr);
    first->close();
    action("mnuTlogfO2BL64").trigger();
    EXPECT_TRUE(first->isVisible());
    EXPECT_EQ(graphWindowCount(), 10);
    // The submenus with their separators.
    QMenu& submenu = widget<QMenu>("mnuTlogfO2");
    EXPECT_EQ(submenu.title(), "T (oC) - log fO2  Plots");
    EXPECT_EQ(submenu.actions().size(), 8);  // three separators, five entries
}

TEST_F(Graphs, ToolbarThirteenShowsTheChosenTemplateAndIgnoresCancelAndMissingFiles) {
    const auto chosen = folder.path() / "mine.grf";
    touch(chosen);
    desktop.dialogs.answers.push_back(chosen.string());
    window->toolbarButton(13).trigger();
    ASSERT_EQ(desktop.dialogs.calls.size(), 1u);
    EXPECT_EQ(desktop.dialogs.calls[0].filter, "Grapher files(*.grf) |*.grf");
    ASSERT_NE(window->graphWindow(chosen), nullptr);
    EXPECT_EQ(graphWindowCount(), 1);

    window->toolbarButton(13).trigger();  // cancelled
    desktop.dialogs.answers.push_back((folder.path() / "gone.grf").string());
    window->toolbarButton(13).trigger();
    // A missing template opens nothing and says nothing.
    std::filesystem::remove(templates / "templates" / "TiR2R3.grf");
    action("mnuTiR2R3").trigger();
    EXPECT_EQ(graphWindowCount(), 1);
    EXPECT_TRUE(desktop.messages.shown.empty());
    // A gnuplot that cannot be started for editing is reported.
    desktop.shell.succeed = false;
    window->graphWindow(chosen)->openInGnuplot();
    EXPECT_EQ(desktop.messages.texts(), std::vector<std::string>{"gnuplot could not be started."});
}

}  // namespace
}  // namespace kelvorad::fakes
