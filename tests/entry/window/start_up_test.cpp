// The window as it starts: table layout, enabled and disabled commands, panels, menus and
// toolbar.
#include <QImage>
#include <QMenuBar>
#include <QPushButton>
#include <QToolBar>

#include "main_window_fixture.h"

namespace kelvorad::fakes {
namespace {

using StartUp = MainWindowTest;

// The object names of a menu's items in display order, "-" for a separator line.
QStringList entries(const QList<QAction*>& actions) {
    QStringList names;
    for (QAction* a : actions) names << (a->isSeparator() ? QString("-") : a->objectName());
    return names;
}

TEST_F(StartUp, TableIsLaidOutAndHiddenBehindTheStartUpPanel) {
    EXPECT_EQ(window->objectName(), "kkj");
    EXPECT_EQ(table().rowCount(), 351);
    EXPECT_EQ(table().columnCount(), 36);
    EXPECT_EQ(grid().model()->rowCount(), 351);
    EXPECT_EQ(grid().model()->columnCount(), 36);
    EXPECT_EQ(table().text(0, 0), "Row No");
    EXPECT_EQ(table().text(0, 18), "");
    EXPECT_EQ(table().text(350, 0), "350");
    EXPECT_EQ(grid().model()->headerData(9, Qt::Horizontal).toString(), "FeO [M]");
    EXPECT_EQ(grid().model()->headerData(27, Qt::Horizontal).toString(), "FeO [I]");
    EXPECT_EQ(grid().model()->headerData(350, Qt::Vertical).toString(), "350");
    for (int r = 1; r <= 350; ++r) {
        for (int c = 1; c <= 35; ++c) ASSERT_EQ(table().text(r, c), "") << r << "," << c;
    }
    EXPECT_FALSE(grid().isVisible());
    EXPECT_FALSE(widget("Text1").isVisible());
    EXPECT_TRUE(widget("Frame1").isVisible());
    EXPECT_FALSE(widget("Command2").isVisible());
    EXPECT_FALSE(widget("Command3").isVisible());
    EXPECT_EQ(title(), "Start-up Screen");
    EXPECT_EQ(widget<QLabel>("Label1").text(), "K e l v o r a d");
    EXPECT_EQ(widget<QLabel>("Label2").text(),
              "A Desktop Program for Magnetite - Ilmenite Geothermometer and Oxygen Barometer");
    EXPECT_TRUE(widget<QLabel>("lblLabel1Form1")
                    .text()
                    .startsWith(" * Calculation    * Geothermometer     * Oxygen Barometer"));
    EXPECT_EQ(panel1(), "No Selected File");
    EXPECT_FALSE(widget("StatusBar1Panel1").isEnabled());
    EXPECT_EQ(widget("StatusBar1Panel1").toolTip(), "File");
    EXPECT_EQ(widget("StatusBar1Panel2").toolTip(), "Clock");
    EXPECT_EQ(widget("StatusBar1Panel3").toolTip(), "Date");
    EXPECT_EQ(widget<QLabel>("StatusBar1Panel4").text(), "by");
    EXPECT_FALSE(widget<QLabel>("StatusBar1Panel2").text().isEmpty()) << "the clock runs";
    EXPECT_FALSE(widget<QLabel>("StatusBar1Panel3").text().isEmpty());
}

TEST_F(StartUp, CommandsThatActOnTheTableAreDisabled) {
    for (const char* name :
         {"mnuSaveAs", "mnuClose", "mnuEditCut", "mnuEditCopy", "mnuEditPaste", "mnuEditDelete",
          "mnuEditInsertRow", "mnuEditSelectAll", "mnuClear", "mnuDelete"}) {
        EXPECT_FALSE(action(name).isEnabled()) << name;
    }
    for (const char* name : {"mnuNewFile", "mnuOpenFile", "mnuExit", "mnu9703", "mnu07Later",
                             "mnu9703e", "mnu07Latere", "mnuOpen", "mnuAbout", "mnuHelpContents"}) {
        EXPECT_TRUE(action(name).isEnabled()) << name;
    }
    for (int p : {3, 4, 7, 8, 9, 10, 11}) EXPECT_FALSE(window->toolbarButton(p).isEnabled()) << p;
    for (int p : {1, 2, 5, 13, 15, 16, 17, 18, 20, 21, 22}) {
        EXPECT_TRUE(window->toolbarButton(p).isEnabled()) << p;
    }
    EXPECT_FALSE(action("mnuOpen").isChecked());
    EXPECT_EQ(window->methodChecks(), startingMethodChecks())
        << "only the full thermodynamic model is checked at start";
}

TEST_F(StartUp, MenuTreeInDisplayOrder) {
    QStringList bar;
    for (QAction* a : window->menuBar()->actions()) bar << a->objectName();
    EXPECT_EQ(bar, QStringList({"mnuFile", "mnuEdit", "mnuFe3est", "mnuPressure", "mnuMethod",
                                "mnuTemperature", "mnuOxybarometry", "mnuBH88Test", "mnuCalculate",
                                "mnuAbout", "mnuHelp"}));
    EXPECT_EQ(entries(widget<QMenu>("mnuFile").actions()),
              QStringList({"mnuNewFile", "mnuOpenFile", "mnuSaveAs", "mnuClose", "mnuRecent", "-",
                           "mnuOEF", "mnuEEF", "-", "mnuExit"}));
    EXPECT_EQ(entries(widget<QMenu>("mnuOEF").actions()),
              QStringList({"-", "mnu9703", "mnu07Later", "-"}));
    EXPECT_EQ(entries(widget<QMenu>("mnuEEF").actions()),
              QStringList({"-", "mnu9703e", "mnu07Latere", "-"}));
    EXPECT_EQ(entries(widget<QMenu>("mnuEdit").actions()),
              QStringList({"mnuUndo", "mnuRedo", "-", "mnuClear", "mnuDelete", "mnuEditInsertRow",
                           "-", "mnuEditCut", "mnuEditCopy", "mnuEditPaste", "mnuEditDelete",
                           "mnuEditSelectAll"}));
    EXPECT_EQ(entries(widget<QMenu>("mnuFe3est").actions()),
              QStringList({"-", "mnuFe3Carmichael", "mnuFe3Stormer", "mnuFe3Droop", "-"}));
    EXPECT_EQ(entries(widget<QMenu>("mnuMethod").actions()),
              QStringList({"-", "mnuPP77uC67", "mnuSL81uC67", "mnuAL85uC67", "-", "mnuPP77uA68",
                           "mnuSL81uA68", "mnuAL85uA68", "-", "mnuPP77uLS82", "mnuSL81uLS82",
                           "mnuAL85uLS82", "-", "mnuPP77uS83", "mnuSL81uS83", "mnuAL85uS83", "-",
                           "mnuMonteCarlo", "mnuUncertaintySettings"}));
    EXPECT_EQ(entries(widget<QMenu>("mnuOxybarometry").actions()),
              QStringList({"-", "mnuS08uLeastSquares", "mnuGE08uLeastSquares", "-",
                           "mnuS08fO2uLeastSquares", "-", "mnuTNNOAL85", "mnuTNNOS08",
                           "mnuTNNOGE08", "-"}));
    EXPECT_EQ(entries(widget<QMenu>("mnuBH88Test").actions()),
              QStringList({"-", "mnuBH88TestforTO", "-"}));
    EXPECT_EQ(entries(widget<QMenu>("mnuCalculate").actions()), QStringList({"mnuOpen"}));
    EXPECT_EQ(entries(widget<QMenu>("mnuHelp").actions()), QStringList({"mnuHelpContents"}));

    // Captions, exact.
    EXPECT_EQ(widget<QMenu>("mnuFe3est").title(), "Ferric iron estimation");
    EXPECT_EQ(widget<QMenu>("mnuPressure").title(), "Buffer");
    EXPECT_EQ(widget<QMenu>("mnuTemperature").title(), "Geothermometer");
    EXPECT_EQ(widget<QMenu>("mnuOxybarometry").title(), "Oxygen barometer");
    EXPECT_TRUE(widget<QMenu>("mnuHelp").title().startsWith("Help "));
    EXPECT_EQ(action("mnuOEF").text(), "Open Excel File");
    EXPECT_EQ(action("mnuEEF").text(), "Edit Excel File");
    EXPECT_EQ(action("mnu9703").text(), "1997 - 2003 Files (.xls)");
    EXPECT_EQ(action("mnu07Latere").text(), "2007 - Later (.xlsx)");
    EXPECT_EQ(action("mnuOpen").text(), "Open File to Calculate");
    EXPECT_EQ(action("mnuHelpContents").text(), "Click Here for Help Index           F1");
    EXPECT_EQ(action("mnuFe3Droop").text(), "Fe3+ estimation from Droop (1987)  ");
    EXPECT_EQ(action("mnuGE08uLeastSquares").text(),
              "DeltaNNO (Ghiorso and Evans, 2008) through least-squares using model by "
              "Andersen and Lindsley (1985)");
    EXPECT_EQ(widget<QPushButton>("Command2").text(), "Load Excel File into Grid");
    EXPECT_EQ(widget<QPushButton>("Command3").text(), "Open and Edit Excel File");
}

TEST_F(StartUp, ToolbarHas22PositionsWithTooltipsAndSeparators) {
    const QList<QAction*> buttons = widget<QToolBar>("Toolbar1").actions();
    ASSERT_EQ(buttons.size(), 22);
    const QStringList tooltips{"New",
                               "Open",
                               "Save",
                               "Close",
                               "Exit",
                               "",
                               "Cut",
                               "Copy",
                               "Paste",
                               "Delete",
                               "Select All",
                               "",
                               "Calculate",
                               "",
                               "Load Excel (.xls)  into Grid",
                               "Load Excel (.xlsx)  into Grid",
                               "Edit Excel (.xls) File",
                               "Edit Excel (.xlsx) File",
                               "",
                               "About",
                               "Help",
                               "Display Next Screen"};
    for (int p = 1; p <= 22; ++p) {
        QAction* button = buttons[p - 1];
        EXPECT_EQ(button, &window->toolbarButton(p)) << p;
        EXPECT_EQ(button->isSeparator(), tooltips[p - 1].isEmpty()) << p;
        if (!button->isSeparator()) {
            EXPECT_EQ(button->toolTip(), tooltips[p - 1]) << p;
        }
    }
}

// The SVG icons come from the program's resource and need Qt's SVG plugins at run time: a
// missing file or plugin would leave a button blank.
TEST_F(StartUp, EveryToolbarButtonShowsAnIcon) {
    for (int p = 1; p <= 22; ++p) {
        const QAction& button = window->toolbarButton(p);
        if (button.isSeparator()) continue;
        const QImage image = button.icon().pixmap(24, 24).toImage();
        ASSERT_FALSE(image.isNull()) << p;
        int opaque = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) opaque += qAlpha(image.pixel(x, y)) > 128;
        }
        EXPECT_GT(opaque, 40) << "toolbar position " << p << " shows next to nothing";
    }
}

}  // namespace
}  // namespace kelvorad::fakes
