// Undo and Redo of the main window: every change to the analysis table is one step that Undo
// takes back to the exact cells before and Redo forward to the exact cells after; New File and
// Open File start the history afresh, a save marks the point the table is clean at.
#include <QUndoStack>

#include "main_window_fixture.h"

namespace kelvorad::fakes {
namespace {

using Answer = MessageBoxes::Answer;

// Every cell and both counts equal; the first difference is named.
::testing::AssertionResult sameCells(const AnalysisTable& actual, const AnalysisTable& expected) {
    if (actual.rowCount() != expected.rowCount() ||
        actual.columnCount() != expected.columnCount()) {
        return ::testing::AssertionFailure()
               << actual.rowCount() << "x" << actual.columnCount() << " instead of "
               << expected.rowCount() << "x" << expected.columnCount();
    }
    for (int r = 0; r < actual.rowCount(); ++r) {
        for (int c = 0; c < actual.columnCount(); ++c) {
            if (actual.text(r, c) != expected.text(r, c)) {
                return ::testing::AssertionFailure()
                       << "cell (" << r << ", " << c << ") holds \"" << actual.text(r, c)
                       << "\" instead of \"" << expected.text(r, c) << "\"";
            }
        }
    }
    return ::testing::AssertionSuccess();
}

class Undo : public MainWindowTest {
  protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        action("mnuNewFile").trigger();
    }
    // All 350 pairs filled with texts that name their cell, as a loaded file would leave them.
    void fillAllPairs() {
        for (int r = 1; r <= AnalysisTable::kLastDataRow; ++r) {
            for (int c = 1; c <= AnalysisTable::kLastColumn; ++c) {
                if (c != AnalysisTable::kSpacerColumn) {
                    table().setText(r, c, std::to_string(r) + "." + std::to_string(c));
                }
            }
        }
        window->showTableChanges();
    }
    void select(int r1, int c1, int r2, int c2) {
        clickCell(r1, c1);
        clickCell(r2, c2, Qt::ShiftModifier);
    }
    void undoKey() { key(Qt::Key_Z, Qt::ControlModifier); }
    void redoKey() { key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier); }
};

// Each command of the Edit menu, and typing, run on a filled table: Undo gives back the cells
// before, Redo the cells after, and the view shows them.
TEST_F(Undo, EveryEditIsUndoneAndRedoneToTheExactCells) {
    struct Edit {
        const char* name;
        std::function<void()> run;
    };
    const std::vector<Edit> edits = {
        {"typing", [&] { clickCell(4, 3), type("x7"); }},
        {"backspace", [&] { clickCell(5, 3), key(Qt::Key_Backspace); }},
        {"cell editor",
         [&] {
             clickCell(6, 2);
             widget<QLineEdit>("Text1").setText("edited");
         }},
        {"Clear All", [&] { action("mnuClear").trigger(); }},
        {"Remove Row", [&] { clickCell(7, 4), action("mnuDelete").trigger(); }},
        {"Insert Row", [&] { clickCell(9, 4), action("mnuEditInsertRow").trigger(); }},
        {"Cut", [&] { select(2, 2, 4, 5), action("mnuEditCut").trigger(); }},
        {"Delete", [&] { select(12, 30, 10, 20), action("mnuEditDelete").trigger(); }},
        {"Paste",
         [&] {
             desktop.clipboard.content = "p1\tp2\rp3\tp4\tp5";
             select(20, 1, 22, 3);
             action("mnuEditPaste").trigger();
         }},
        {"Cut from the toolbar", [&] { select(30, 6, 31, 7), window->runToolbarButton(7); }},
        {"Paste from the toolbar",
         [&] {
             desktop.clipboard.content = "t";
             clickCell(40, 8);
             window->runToolbarButton(9);
         }},
        {"Delete from the toolbar", [&] { select(41, 9, 41, 9), window->runToolbarButton(10); }},
    };
    for (const Edit& edit : edits) {
        SCOPED_TRACE(edit.name);
        fillAllPairs();
        const AnalysisTable before = table();
        edit.run();
        const AnalysisTable after = table();
        ASSERT_FALSE(sameCells(after, before)) << "the edit changes the table";
        ASSERT_EQ(window->undoStack().count(), 1) << "one step";

        undoKey();
        EXPECT_TRUE(sameCells(table(), before));
        EXPECT_EQ(grid().model()->rowCount(), before.rowCount()) << "the view follows";
        redoKey();
        EXPECT_TRUE(sameCells(table(), after));
        action("mnuUndo").trigger();
        EXPECT_TRUE(sameCells(table(), before)) << "the menu item undoes as the key does";
        action("mnuRedo").trigger();
        EXPECT_TRUE(sameCells(table(), after));
    }
}

TEST_F(Undo, ClearAllOnAFullTableIsUndoneToAll350Pairs) {
    fillAllPairs();
    const AnalysisTable full = table();
    key(Qt::Key_A, Qt::ControlModifier);  // Clear All keeps its key
    EXPECT_EQ(table().text(350, 35), "");
    EXPECT_EQ(action("mnuUndo").text(), "Undo Clear All");
    undoKey();
    EXPECT_TRUE(sameCells(table(), full));
    EXPECT_EQ(grid().model()->index(350, 35).data().toString(), "350.35");
    EXPECT_EQ(action("mnuRedo").text(), "Redo Clear All");
}

TEST_F(Undo, StepsAreUndoneInTurnAndANewEditDropsTheRedo) {
    clickCell(1, 1);
    type("MT-1");  // typing on in one cell is one step
    key(Qt::Key_Tab);
    type("0.1");
    action("mnuEditInsertRow").trigger();
    EXPECT_EQ(window->undoStack().count(), 3);
    undoKey();
    EXPECT_EQ(table().rowCount(), 351);
    EXPECT_EQ(table().text(1, 2), "0.1");
    undoKey();
    EXPECT_EQ(table().text(1, 2), "");
    EXPECT_EQ(table().text(1, 1), "MT-1");
    EXPECT_EQ(current(), std::make_pair(1, 2)) << "the current cell goes back with the step";
    undoKey();
    EXPECT_EQ(table().text(1, 1), "");
    EXPECT_FALSE(action("mnuUndo").isEnabled());
    undoKey();  // nothing left to undo: no change, no failure
    EXPECT_EQ(table().text(1, 1), "");

    redoKey();
    EXPECT_EQ(table().text(1, 1), "MT-1");
    clickCell(8, 8);
    type("z");
    EXPECT_FALSE(action("mnuRedo").isEnabled()) << "a new edit ends the steps to redo";
    // Typed and taken back again in the same cell: no step is left.
    clickCell(9, 9);
    type("q");
    key(Qt::Key_Backspace);
    EXPECT_EQ(window->undoStack().count(), 2);
}

TEST_F(Undo, NewFileAndOpenFileEmptyTheHistoryAndSavingDoesNot) {
    clickCell(1, 1);
    type("a");
    const std::string path = scratchPath("undo.mi");
    saveAs(path);
    EXPECT_EQ(window->undoStack().count(), 1) << "saving keeps the history";
    EXPECT_TRUE(window->undoStack().isClean());
    type("b");
    EXPECT_TRUE(window->document().hasUnsavedChanges());
    undoKey();
    EXPECT_FALSE(window->document().hasUnsavedChanges()) << "back at the saved point";
    EXPECT_TRUE(window->undoStack().isClean());
    undoKey();
    EXPECT_TRUE(window->document().hasUnsavedChanges()) << "before the saved point";
    redoKey();

    openFile(path);
    EXPECT_EQ(window->undoStack().count(), 0);
    EXPECT_FALSE(action("mnuUndo").isEnabled());
    clickCell(2, 2);
    type("c");
    desktop.messages.answers = {Answer::No};
    action("mnuNewFile").trigger();
    EXPECT_EQ(window->undoStack().count(), 0);
    undoKey();
    EXPECT_EQ(table().text(1, 1), "") << "nothing from before New File comes back";
}

TEST_F(Undo, UndoWaitsWhileTheTableIsClosed) {
    clickCell(1, 1);
    type("a");
    EXPECT_TRUE(action("mnuUndo").isEnabled());
    action("mnuClose").trigger();
    EXPECT_FALSE(action("mnuUndo").isEnabled());
    window->undo();
    EXPECT_EQ(table().text(1, 1), "a");
}

}  // namespace
}  // namespace kelvorad::fakes
