// The results window as set-up leaves it: names, captions, the two header rows with their
// alignments and widths, status bar panels, menus, shortcuts and toolbar.
#include <QHeaderView>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QStatusBar>

#include "results_window_fixture.h"

namespace kelvorad::fakes {
namespace {

using Layout = ResultsWindowTest;

TEST_F(Layout, SetUpBuildsTheTwoHeaderRowsOf211Columns) {
    EXPECT_EQ(window->objectName(), "Form10");
    EXPECT_EQ(window->windowTitle(), "K e l v o r a d");
    EXPECT_EQ(table().rowCount(), 2);
    EXPECT_EQ(table().columnCount(), 211);
    EXPECT_EQ(grid().model()->columnCount(), 211);
    EXPECT_EQ(table().text(0, 0), "Kelvorad");
    EXPECT_EQ(table().text(0, 135), "135");
    EXPECT_EQ(table().text(0, 146), "146");
    EXPECT_EQ(table().text(0, 147), "");
    EXPECT_EQ(table().text(1, 141), "");
    EXPECT_EQ(table().text(1, 142), "[DeltaFMQ_GE08model]");
    EXPECT_EQ(table().text(0, 210), "");
    EXPECT_EQ(table().text(1, 0), "Sample");
    EXPECT_EQ(table().text(1, 37), "");
    EXPECT_EQ(table().text(1, 133), "[Bacon and Hirschmann (1988) Test]");
    EXPECT_EQ(current(), std::make_pair(0, 0));
    // The header row and column are shown as the view's fixed headers.
    EXPECT_EQ(grid().model()->headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(), "1");
    EXPECT_EQ(grid().model()->headerData(1, Qt::Vertical, Qt::DisplayRole).toString(), "Sample");
}

TEST_F(Layout, HeaderAlignmentsAndColumnWidthsFollowTheColumnTable) {
    const QAbstractItemModel& model = *grid().model();
    const auto alignment = [&model](int row, int column) {
        return Qt::Alignment(model.index(row, column).data(Qt::TextAlignmentRole).toInt());
    };
    EXPECT_EQ(alignment(1, 45), Qt::AlignRight | Qt::AlignTop);
    EXPECT_EQ(alignment(1, 46), Qt::AlignCenter);
    EXPECT_EQ(alignment(1, 0), Qt::AlignLeft | Qt::AlignVCenter);
    EXPECT_EQ(alignment(0, 100), Qt::AlignCenter);
    appendRows(1);
    EXPECT_EQ(alignment(2, 5), Qt::AlignCenter) << "columns 1 to 30 are centred whole";
    EXPECT_NE(alignment(2, 45), Qt::AlignRight | Qt::AlignTop) << "only the header cell";

    const double pixelsPerTwip = grid().logicalDpiX() / 1440.0;
    EXPECT_NEAR(grid().columnWidth(17), 1100 * pixelsPerTwip, 1.0);
    EXPECT_NEAR(grid().columnWidth(18), 1300 * pixelsPerTwip, 1.0);
    EXPECT_NEAR(grid().columnWidth(1), 900 * pixelsPerTwip, 1.0);
    EXPECT_NEAR(grid().verticalHeader()->width(), 1300 * pixelsPerTwip, 1.0);
    // Every row is at least as tall as the edit box.
    EXPECT_GE(grid().verticalHeader()->minimumSectionSize(), widget("Text1").sizeHint().height());
}

TEST_F(Layout, StatusBarCaptionsPictureAndHiddenProgressBar) {
    const std::vector<std::string> tooltips{"File",
                                            "Number of oxygen for Magnetite recalculation",
                                            "Number of oxygen for Ilmenite recalculation",
                                            "Ferric iron estimation method",
                                            "Input P for relative fO2 (delta NNO) estimation",
                                            "Method for T(oC)-logfO2 plot",
                                            "Clock",
                                            "Date"};
    for (int k = 1; k <= 8; ++k) {
        const QString name = QString("StatusBar1Panel%1").arg(k);
        auto& panel = widget<QLabel>(name.toUtf8().constData());
        EXPECT_EQ(panel.toolTip().toStdString(), tooltips[k - 1]);
        if (k <= 6) {
            EXPECT_TRUE(panel.text().isEmpty()) << k;
        }
    }
    EXPECT_FALSE(widget<QLabel>("StatusBar1Panel7").text().isEmpty());
    EXPECT_FALSE(widget<QLabel>("StatusBar1Panel8").text().isEmpty());
    window->setStatusPanel(5, "NNO (1 bar)");
    EXPECT_EQ(window->statusPanel(5), "NNO (1 bar)");

    EXPECT_EQ(widget<QLabel>("Label3").text(), "Calculation Screen");
    EXPECT_EQ(widget<QLabel>("Label2").text(),
              "A Desktop Program for Magnetite - Ilmenite Geothermometer and Oxygen Barometer");
    EXPECT_EQ(widget("Image1").toolTip(), "Pyroxene crystals");
    EXPECT_FALSE(widget<QProgressBar>("ProgressBar1").isVisible());
    EXPECT_EQ(widget<QProgressBar>("ProgressBar1").maximum(), 50);
}

TEST_F(Layout, MenusCaptionsAndShortcuts) {
    const std::vector<std::tuple<const char*, const char*, QKeySequence>> items{
        {"mnuEditCut", "Cut", QKeySequence(Qt::CTRL | Qt::Key_C)},
        {"mnuEditCopy", "Copy", QKeySequence(Qt::CTRL | Qt::Key_Y)},
        {"mnuEditPaste", "Paste", QKeySequence(Qt::CTRL | Qt::Key_P)},
        {"mnuEditDelete", "Delete", QKeySequence(Qt::CTRL | Qt::Key_D)},
        {"mnuEditSelectAll", "Select All", QKeySequence(Qt::CTRL | Qt::Key_S)},
        {"mnuExit", "Exit", QKeySequence(Qt::CTRL | Qt::Key_E)},
        {"mnuSEF", "Send Results to Excel (Output.xlsx)", QKeySequence(Qt::CTRL | Qt::Key_G)},
        {"mnuOEF", "Open Excel File (Output.xlsx)", QKeySequence(Qt::CTRL | Qt::Key_H)},
        {"mnuEOX", "Exit Excel File (i.e., Output.xlsx)", QKeySequence()},
        {"mnuAbaout", "About", QKeySequence()},
        {"mnuHelpContents", "Click Here for Help Index           F1", QKeySequence()},
    };
    for (const auto& [name, caption, shortcut] : items) {
        EXPECT_EQ(action(name).text().toStdString(), caption) << name;
        EXPECT_EQ(action(name).shortcut(), shortcut) << name;
    }
    // The menu bar, left to right.
    QStringList titles;
    for (QAction* top : window->menuBar()->actions()) titles << top->text();
    EXPECT_EQ(titles, QStringList({"Edit", "Excel", "Graph", "About", "Help"}));
    // Edit: separator, the five commands, separator, Exit.
    QMenu& edit = widget<QMenu>("mnuEdit");
    ASSERT_EQ(edit.actions().size(), 8);
    EXPECT_TRUE(edit.actions().front()->isSeparator());
    EXPECT_TRUE(edit.actions().at(6)->isSeparator());
    EXPECT_EQ(edit.actions().back()->objectName(), "mnuExit");
    QMenu& excel = widget<QMenu>("mnuOEF1");
    QStringList excelNames;
    for (QAction* item : excel.actions()) excelNames << item->objectName();
    EXPECT_EQ(excelNames,
              QStringList({"mnusep3", "mnuSEF", "mnuOEF", "mnusep20", "mnuEOX", "mnusep15"}));
}

TEST_F(Layout, ToolbarTooltipsBySixteenPositions) {
    const std::map<int, std::string> tooltips{{1, "Cut"},
                                              {2, "Copy"},
                                              {3, "Paste"},
                                              {4, "Delete"},
                                              {5, "Select All"},
                                              {7, "Exit program"},
                                              {9, "Send results to Excel File (Output.xlsx)"},
                                              {10, "Open and Edit Excel file (Output.xlsx)"},
                                              {12, "About"},
                                              {13, "Plot graph by using Grapher"},
                                              {14, "Help"},
                                              {16, "Display Previous Screen"}};
    for (int position = 1; position <= 16; ++position) {
        QAction& button = window->toolbarButton(position);
        const auto found = tooltips.find(position);
        if (found == tooltips.end()) {
            EXPECT_TRUE(button.isSeparator()) << position;
        } else {
            EXPECT_EQ(button.toolTip().toStdString(), found->second) << position;
        }
    }
}

TEST_F(Layout, HooksRunFromMenusButtonsAndTheHelpMenuTitle) {
    std::map<ResultsHook, int> runs;
    for (int h = 0; h < static_cast<int>(ResultsHook::Count); ++h) {
        const auto hook = static_cast<ResultsHook>(h);
        window->setHook(hook, [&runs, hook] { ++runs[hook]; });
    }
    window->toolbarButton(12).trigger();
    action("mnuAbaout").trigger();
    window->toolbarButton(14).trigger();
    action("mnuHelpContents").trigger();
    window->toolbarButton(16).trigger();
    window->toolbarButton(7).trigger();
    action("mnuExit").trigger();
    emit widget<QMenu>("mnuHelp").aboutToShow();
    EXPECT_EQ(runs[ResultsHook::About], 2);
    EXPECT_EQ(runs[ResultsHook::Help], 3);
    EXPECT_EQ(runs[ResultsHook::PreviousScreen], 1);
    EXPECT_EQ(runs[ResultsHook::Exit], 2);
    EXPECT_TRUE(desktop.messages.shown.empty());
}

// The window's size is kept between starts; a new window shows the same header rows.
TEST_F(Layout, TheNextWindowTakesTheSizeTheLastOneClosedWith) {
    window->resize(1010, 640);
    window->close();
    openWindow();
    EXPECT_EQ(window->size(), QSize(1010, 640));
    EXPECT_EQ(table().rowCount(), 2);
}

}  // namespace
}  // namespace kelvorad::fakes
