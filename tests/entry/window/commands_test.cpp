// Shortcuts, toolbar commands and their error report, the hooks later windows connect, and
// the method options.
#include <QSignalSpy>

#include "error_report.h"
#include "main_window_fixture.h"

namespace kelvorad::fakes {
namespace {

using Commands = MainWindowTest;
using Answer = MessageBoxes::Answer;

TEST_F(Commands, EveryShortcutFiresItsAction) {
    action("mnuNewFile").trigger();
    clickCell(3, 3);
    // In an order that leaves the next one enabled; Close and Exit come last.
    const std::vector<std::pair<const char*, QKeySequence>> shortcuts{
        {"mnuClear", QKeySequence(Qt::CTRL | Qt::Key_A)},
        {"mnuDelete", QKeySequence(Qt::CTRL | Qt::Key_D)},
        {"mnuEditInsertRow", QKeySequence(Qt::CTRL | Qt::Key_I)},
        {"mnuEditCut", QKeySequence(Qt::CTRL | Qt::Key_T)},
        {"mnuEditCopy", QKeySequence(Qt::CTRL | Qt::Key_Y)},
        {"mnuEditPaste", QKeySequence(Qt::CTRL | Qt::Key_P)},
        {"mnuEditDelete", QKeySequence(Qt::CTRL | Qt::Key_L)},
        {"mnuEditSelectAll", QKeySequence(Qt::CTRL | Qt::Key_E)},
        {"mnu9703", QKeySequence(Qt::CTRL | Qt::Key_G)},
        {"mnu07Later", QKeySequence(Qt::CTRL | Qt::Key_H)},
        {"mnu9703e", QKeySequence(Qt::CTRL | Qt::Key_F7)},
        {"mnu07Latere", QKeySequence(Qt::CTRL | Qt::Key_F8)},
        {"mnuOpen", QKeySequence(Qt::CTRL | Qt::Key_F)},
        {"mnuSaveAs", QKeySequence(Qt::CTRL | Qt::Key_S)},
        {"mnuOpenFile", QKeySequence(Qt::CTRL | Qt::Key_O)},
        {"mnuNewFile", QKeySequence(Qt::CTRL | Qt::Key_N)},
        {"mnuClose", QKeySequence(Qt::CTRL | Qt::Key_C)},
        {"mnuExit", QKeySequence(Qt::CTRL | Qt::Key_X)},
    };
    desktop.messages.defaultAnswer = Answer::Cancel;  // Exit stays in the window
    for (const auto& [name, sequence] : shortcuts) {
        if (std::string(name) == "mnuNewFile") {
            clickCell(5, 5);
            type("x");  // something to lose, so that the questions below are asked
        }
        QAction& a = action(name);
        EXPECT_EQ(a.shortcut(), sequence) << name;
        QSignalSpy fired(&a, &QAction::triggered);
        const QKeyCombination combination = sequence[0];
        key(combination.key(), combination.keyboardModifiers());
        EXPECT_EQ(fired.count(), 1) << name;
    }
    EXPECT_FALSE(grid().isVisible()) << "Ctrl+C closes rather than copies";
    EXPECT_TRUE(window->isVisible());
}

TEST_F(Commands, HooksRunFromMenusButtonsAndKeys) {
    std::map<WindowHook, int> runs;
    for (int h = 0; h < static_cast<int>(WindowHook::Count); ++h) {
        const auto hook = static_cast<WindowHook>(h);
        window->setHook(hook, [&runs, hook] { ++runs[hook]; });
    }
    window->toolbarButton(13).trigger();
    action("mnuOpen").trigger();
    EXPECT_EQ(runs[WindowHook::Calculate], 2) << "Calculate runs before any file is opened";
    EXPECT_FALSE(action("mnuOpen").isChecked()) << "running the calculation leaves the mark";
    action("mnuAbout").trigger();
    window->toolbarButton(20).trigger();
    EXPECT_EQ(runs[WindowHook::About], 2);
    action("mnuHelpContents").trigger();
    window->toolbarButton(21).trigger();
    key(Qt::Key_F1);
    widget<QMenu>("mnuHelp").popup(QPoint(10, 10));  // opening the Help menu itself
    widget<QMenu>("mnuHelp").close();
    EXPECT_EQ(runs[WindowHook::Help], 4);
    window->toolbarButton(22).trigger();
    EXPECT_EQ(runs[WindowHook::NextScreen], 1);
    action("mnu9703").trigger();
    EXPECT_EQ(runs[WindowHook::LoadXlsFromMenu], 1);
    window->toolbarButton(15).trigger();
    EXPECT_EQ(runs[WindowHook::LoadXlsFromButton], 1);
    action("mnu07Later").trigger();
    window->toolbarButton(16).trigger();
    EXPECT_EQ(runs[WindowHook::LoadXlsx], 2);
    action("mnu9703e").trigger();
    EXPECT_EQ(runs[WindowHook::EditXlsFromMenu], 1);
    window->toolbarButton(17).trigger();
    EXPECT_EQ(runs[WindowHook::EditXlsFromButton], 1);
    action("mnu07Latere").trigger();
    window->toolbarButton(18).trigger();
    EXPECT_EQ(runs[WindowHook::EditXlsx], 2);
    EXPECT_TRUE(desktop.messages.shown.empty()) << "commands without error show no message";
}

TEST_F(Commands, ToolbarCommandsReportTheirErrorMenusDoNot) {
    action("mnuNewFile").trigger();
    desktop.clipboard.available = false;
    action("mnuEditCopy").trigger();
    action("mnuEditPaste").trigger();
    EXPECT_TRUE(desktop.messages.shown.empty());
    for (int p : {7, 8, 9}) {
        window->toolbarButton(p).trigger();
        ASSERT_FALSE(desktop.messages.shown.empty()) << p;
        EXPECT_EQ(desktop.messages.shown.back().text, "Can't open clipboard") << p;
    }
    EXPECT_EQ(desktop.messages.shown.size(), 3u);

    desktop.clipboard.available = true;
    window->toolbarButton(8).trigger();
    window->toolbarButton(10).trigger();
    window->toolbarButton(11).trigger();
    EXPECT_EQ(desktop.messages.shown.size(), 3u) << "no error, no message";

    // A failure's kind reaches the report; a failure its command reported already does not.
    window->reportError(reportedFailure(ErrorKind::ObjectRequired));
    EXPECT_EQ(desktop.messages.shown.back().text, "Object required. Possibly [Output.Xls]");
    window->reportError(Failure{"reported by the command"});
    EXPECT_EQ(desktop.messages.shown.size(), 4u) << "failures reported already show nothing";
}

// "Other pressure…" asks for a pressure; it is checked only when one in range is given, and a
// later question offers the pressure given before.
TEST_F(Commands, OtherPressureAsksANumber) {
    QAction& other = action("mnuOtherPressure");
    EXPECT_EQ(other.text().toStdString(), "Other pressure\u2026");
    desktop.dialogs.numberAnswers = {std::nullopt};
    other.trigger();
    EXPECT_FALSE(other.isChecked()) << "cancelled";
    EXPECT_FALSE(window->methodChecks().otherPressureBars().has_value());

    desktop.dialogs.numberAnswers = {2500.0};
    other.trigger();
    EXPECT_TRUE(other.isChecked());
    EXPECT_EQ(window->methodChecks().otherPressureBars(), 2500.0);
    ASSERT_EQ(desktop.dialogs.numberLabels.size(), 2u);
    EXPECT_NE(desktop.dialogs.numberLabels[1].find("1 to 10000"), std::string::npos);

    other.trigger();  // unchecking asks nothing
    EXPECT_FALSE(other.isChecked());
    EXPECT_EQ(desktop.dialogs.numberLabels.size(), 2u);

    desktop.dialogs.numberAnswers = {12000.0};  // out of range: not taken
    other.trigger();
    EXPECT_FALSE(other.isChecked());
    EXPECT_EQ(window->methodChecks().otherPressureBars(), 2500.0);
}

TEST_F(Commands, OptionItemsToggleIndependently) {
    QAction& nno3000 = action("mnu3000NNO");
    nno3000.trigger();
    EXPECT_TRUE(nno3000.isChecked());
    nno3000.trigger();
    EXPECT_FALSE(nno3000.isChecked());
    // The full thermodynamic model is the one item checked from the start.
    EXPECT_EQ(window->methodChecks(), startingMethodChecks());
    EXPECT_TRUE(action("mnuGE08Model").isChecked());

    action("mnuFe3Droop").trigger();
    EXPECT_FALSE(action("mnuFe3Carmichael").isChecked());
    EXPECT_FALSE(action("mnuFe3Stormer").isChecked());
    action("mnuFe3Carmichael").trigger();
    action("mnuFe3Stormer").trigger();
    action("mnuGE08Model").trigger();
    MethodChecks expected;
    for (auto item : {MethodItem::Fe3Droop, MethodItem::Fe3Carmichael, MethodItem::Fe3Stormer}) {
        expected.setChecked(item, true);
    }
    EXPECT_EQ(window->methodChecks(), expected);

    // Setting the checks from code shows in the menus, and a run's start steps round-trip.
    MethodChecks fromRun = window->methodChecks();
    applyRunStartSteps(fromRun);
    window->setMethodChecks(fromRun);
    EXPECT_EQ(window->methodChecks(), fromRun);
    EXPECT_TRUE(action("mnu2000NNO").isChecked());
    EXPECT_TRUE(action("mnuAL85uS83").isChecked());
    EXPECT_FALSE(action("mnuFe3Stormer").isChecked());
}

}  // namespace
}  // namespace kelvorad::fakes
