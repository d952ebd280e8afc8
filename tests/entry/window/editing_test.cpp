// Typing in the table, the cell editor mirror, and the Edit menu's block commands.
#include "main_window_fixture.h"

namespace kelvorad::fakes {
namespace {

class Editing : public MainWindowTest {
  protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        action("mnuNewFile").trigger();
    }
    void fill(int top, int left, int bottom, int right, const std::string& prefix) {
        for (int r = top; r <= bottom; ++r) {
            for (int c = left; c <= right; ++c) {
                table().setText(r, c, prefix + std::to_string(r) + "," + std::to_string(c));
            }
        }
        window->showTableChanges();
    }
};

TEST_F(Editing, KeysEditTheCurrentCellAtItsEnd) {
    clickCell(7, 9);
    type("1.5");
    EXPECT_EQ(table().text(7, 9), "1.5");
    type("x");
    key(Qt::Key_Backspace);
    EXPECT_EQ(table().text(7, 9), "1.5");
    EXPECT_EQ(grid().model()->index(7, 9).data().toString(), "1.5") << "the view shows it";

    clickCell(7, 10);
    key(Qt::Key_Backspace);
    EXPECT_EQ(table().text(7, 10), "");
    EXPECT_EQ(current(), std::make_pair(7, 10)) << "Backspace on an empty cell does not move";
    key(Qt::Key_Escape);
    EXPECT_EQ(table().text(7, 10), "") << "other control keys are ignored";
}

TEST_F(Editing, EnterAndTabWalkTheCellsInReadingOrder) {
    clickCell(4, 34);
    key(Qt::Key_Tab);
    EXPECT_EQ(current(), std::make_pair(4, 35));
    key(Qt::Key_Return);
    EXPECT_EQ(current(), std::make_pair(5, 0));
    EXPECT_EQ(grid().currentIndex(), grid().model()->index(5, 0));
    key(Qt::Key_Enter);
    EXPECT_EQ(current(), std::make_pair(5, 1));

    key(Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(current(), std::make_pair(350, 35));
    key(Qt::Key_Return);
    EXPECT_EQ(current(), std::make_pair(1, 0));
    // Typing in column 0 appends to the row number, which the row header shows.
    type("a");
    EXPECT_EQ(table().text(1, 0), "1a");
    EXPECT_EQ(grid().model()->headerData(1, Qt::Vertical).toString(), "1a");
}

TEST_F(Editing, CellEditorMirrorsThePressedCellAndWritesBack) {
    auto& editor = widget<QLineEdit>("Text1");
    table().setText(3, 1, "MT-3");
    window->showTableChanges();
    clickCell(5, 5);
    pressCell(3, 1, Qt::RightButton);
    EXPECT_EQ(editor.text(), "MT-3");
    EXPECT_EQ(table().text(3, 1), "MT-3");
    auto& editMenu = widget<QMenu>("mnuEdit");
    EXPECT_TRUE(editMenu.isVisible()) << "the right button opens the Edit menu";
    editMenu.close();
    // Inside a selection the right button keeps it, for the Edit menu to work on.
    clickCell(5, 5);
    clickCell(6, 6, Qt::ShiftModifier);
    pressCell(6, 5, Qt::RightButton);
    EXPECT_EQ(table().selection().bottom, 6);
    EXPECT_EQ(table().selection().right, 6);
    editMenu.close();

    clickCell(3, 2);
    EXPECT_EQ(editor.text(), "");
    editor.setText("80.5");  // as pasted into the editor with the mouse
    EXPECT_EQ(table().text(3, 2), "80.5");
    EXPECT_EQ(grid().model()->index(3, 2).data().toString(), "80.5");

    // A key pressed in the editor goes on in the table, at the end of the cell.
    editor.setFocus();
    QTest::keyClicks(&editor, "1");
    EXPECT_EQ(table().text(3, 2), "80.51");
    EXPECT_TRUE(grid().hasFocus());
}

TEST_F(Editing, LeftButtonOnTheBackgroundPopsUpTheFerricIronMenu) {
    QWidget* background = window->centralWidget();
    auto& menu = widget<QMenu>("mnuFe3est");
    QTest::mouseClick(background, Qt::RightButton, {}, QPoint(2, 2));
    EXPECT_FALSE(menu.isVisible());
    QTest::mousePress(background, Qt::LeftButton, {}, QPoint(2, 2));
    EXPECT_TRUE(menu.isVisible());
    menu.close();
}

TEST_F(Editing, ClickingInsideASelectionKeepsTheCellsText) {
    fill(1, 1, 3, 3, "v");
    action("mnuEditSelectAll").trigger();
    clickCell(2, 1);
    EXPECT_EQ(current(), std::make_pair(2, 1));
    EXPECT_EQ(table().text(2, 1), "v2,1");
    EXPECT_EQ(widget<QLineEdit>("Text1").text(), "v2,1");
}

TEST_F(Editing, CopyAndPasteABlockIntoALargerSelection) {
    fill(2, 1, 3, 3, "src");
    clickCell(2, 1);
    clickCell(3, 3, Qt::ShiftModifier);
    key(Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(desktop.clipboard.content, "src2,1\tsrc2,2\tsrc2,3\rsrc3,1\tsrc3,2\tsrc3,3");

    fill(10, 1, 14, 5, "old");
    clickCell(10, 1);
    clickCell(14, 5, Qt::ShiftModifier);
    key(Qt::Key_P, Qt::ControlModifier);
    for (int r = 10; r <= 14; ++r) {
        for (int c = 1; c <= 5; ++c) {
            const bool pasted = r <= 11 && c <= 3;
            const std::string expected =
                pasted ? "src" + std::to_string(r - 8) + "," + std::to_string(c)
                       : "old" + std::to_string(r) + "," + std::to_string(c);
            EXPECT_EQ(table().text(r, c), expected) << r << "," << c;
        }
    }
    EXPECT_EQ(grid().model()->index(11, 3).data().toString(), "src3,3");
}

TEST_F(Editing, DeleteAndCutEmptyASelectionMadeBackwards) {
    fill(3, 1, 7, 6, "v");
    clickCell(6, 5);
    clickCell(4, 2, Qt::ShiftModifier);
    const CellRect s = table().selection();
    EXPECT_EQ(std::make_tuple(s.top, s.left, s.bottom, s.right), std::make_tuple(4, 2, 6, 5));
    key(Qt::Key_L, Qt::ControlModifier);
    for (int r = 3; r <= 7; ++r) {
        for (int c = 1; c <= 6; ++c) {
            const bool inside = r >= 4 && r <= 6 && c >= 2 && c <= 5;
            EXPECT_EQ(table().text(r, c).empty(), inside) << r << "," << c;
        }
    }
    EXPECT_EQ(desktop.clipboard.setCount, 0) << "Delete leaves the clipboard alone";

    clickCell(3, 1);
    clickCell(3, 2, Qt::ShiftModifier);
    key(Qt::Key_T, Qt::ControlModifier);
    EXPECT_EQ(desktop.clipboard.content, "v3,1\tv3,2");
    EXPECT_EQ(table().text(3, 1), "");
    EXPECT_EQ(table().text(3, 2), "");
}

TEST_F(Editing, RowsAreRemovedAndInsertedAtTheCurrentRow) {
    fill(4, 1, 6, 1, "r");
    clickCell(5, 3);
    key(Qt::Key_D, Qt::ControlModifier);
    EXPECT_EQ(table().rowCount(), 350);
    EXPECT_EQ(grid().model()->rowCount(), 350);
    EXPECT_EQ(table().text(4, 0), "4");
    EXPECT_EQ(table().text(5, 0), "6");
    EXPECT_EQ(table().text(5, 1), "r6,1");
    EXPECT_EQ(grid().model()->headerData(5, Qt::Vertical).toString(), "6");

    clickCell(4, 1);
    action("mnuEditInsertRow").trigger();
    action("mnuEditInsertRow").trigger();
    EXPECT_EQ(table().rowCount(), 352);
    EXPECT_EQ(table().text(4, 0), "");
    EXPECT_EQ(table().text(6, 1), "r4,1");

    action("mnuClear").trigger();
    EXPECT_EQ(table().rowCount(), 351);
    EXPECT_EQ(grid().model()->rowCount(), 351);
    EXPECT_EQ(table().text(350, 0), "350");
    EXPECT_EQ(table().text(6, 1), "");
    EXPECT_TRUE(grid().isRowHidden(0)) << "the header row stays a header after a reset";
}

TEST_F(Editing, SelectAllThenCopyGivesTheWholeDataArea) {
    table().setText(350, 35, "last");
    window->showTableChanges();
    clickCell(200, 20);
    key(Qt::Key_E, Qt::ControlModifier);
    const CellRect s = table().selection();
    EXPECT_EQ(std::make_tuple(s.top, s.left, s.bottom, s.right), std::make_tuple(1, 1, 350, 35));
    EXPECT_EQ(grid().rowAt(0), 1) << "row 1 is the top visible row";
    key(Qt::Key_Y, Qt::ControlModifier);
    const std::string& text = desktop.clipboard.content;
    EXPECT_EQ(std::count(text.begin(), text.end(), '\r'), 349);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\t'), 350 * 34);
    EXPECT_EQ(text.substr(text.size() - 5), "\tlast");
}

}  // namespace
}  // namespace kelvorad::fakes
