#include "text_grid.h"

#include <gtest/gtest.h>

using namespace kelvorad;

namespace {
TextGrid numberedGrid(int rows, int columns) {
    TextGrid grid(rows, columns);
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) grid.setText(r, c, std::to_string(r * 10 + c));
    }
    return grid;
}
}  // namespace

TEST(TextGridSelection, TextJoinsCellsByTabAndRowsByCr) {
    TextGrid grid = numberedGrid(6, 6);
    grid.setCurrent(2, 1);
    grid.setSelectionEnd(3, 3);
    EXPECT_EQ(grid.selectionText(), "21\t22\t23\r31\t32\t33");
    // A selection made backwards covers the same cells.
    grid.setCurrent(3, 3);
    grid.setSelectionEnd(2, 1);
    EXPECT_EQ(grid.selectionText(), "21\t22\t23\r31\t32\t33");
}

TEST(TextGridSelection, PutFillsOnlyTheSelectionFromItsTopLeft) {
    TextGrid grid = numberedGrid(8, 8);
    grid.setCurrent(1, 1);
    grid.setSelectionEnd(5, 5);
    grid.putIntoSelection("a\tb\tc\rd\te\tf");
    EXPECT_EQ(grid.text(1, 1), "a");
    EXPECT_EQ(grid.text(1, 3), "c");
    EXPECT_EQ(grid.text(2, 3), "f");
    EXPECT_EQ(grid.text(1, 4), "14");  // not reached
    EXPECT_EQ(grid.text(3, 1), "31");
}

TEST(TextGridSelection, PutDropsTextBeyondTheSelection) {
    TextGrid grid = numberedGrid(4, 4);
    grid.setCurrent(1, 1);
    grid.putIntoSelection("x\ty\rz");
    EXPECT_EQ(grid.text(1, 1), "x");
    EXPECT_EQ(grid.text(1, 2), "12");
    EXPECT_EQ(grid.text(2, 1), "21");
}

TEST(TextGridSelection, PutEmptiesCellsBetweenAdjacentBreaks) {
    TextGrid grid = numberedGrid(4, 4);
    grid.setCurrent(1, 1);
    grid.setSelectionEnd(3, 3);
    grid.putIntoSelection("\t\rq\t\r\r");  // breaks with nothing between them, one at the end
    EXPECT_EQ(grid.text(1, 1), "");
    EXPECT_EQ(grid.text(1, 2), "");
    EXPECT_EQ(grid.text(1, 3), "13");  // not reached
    EXPECT_EQ(grid.text(2, 1), "q");
    EXPECT_EQ(grid.text(2, 2), "");
    EXPECT_EQ(grid.text(3, 1), "");
    EXPECT_EQ(grid.text(3, 2), "32");
}

TEST(TextGridSelection, EmptySelectionClearsOnlySelectedCells) {
    TextGrid grid = numberedGrid(5, 5);
    grid.setCurrent(3, 3);
    grid.setSelectionEnd(1, 1);
    grid.emptySelection();
    EXPECT_EQ(grid.text(1, 1), "");
    EXPECT_EQ(grid.text(3, 3), "");
    EXPECT_EQ(grid.text(0, 0), "0");
    EXPECT_EQ(grid.text(4, 4), "44");
}

TEST(TextGridRows, InsertAndRemoveMoveTheRowsBelow) {
    TextGrid grid = numberedGrid(4, 2);
    grid.insertRow(1);
    EXPECT_EQ(grid.rowCount(), 5);
    EXPECT_EQ(grid.text(1, 0), "");
    EXPECT_EQ(grid.text(2, 0), "10");
    grid.removeRow(2);
    EXPECT_EQ(grid.rowCount(), 4);
    EXPECT_EQ(grid.text(2, 1), "21");
}

TEST(TextGridRows, AppendRowSplitsFieldsAtTabs) {
    TextGrid grid(1, 3);
    grid.appendRow("a\t\tc\td");
    ASSERT_EQ(grid.rowCount(), 2);
    EXPECT_EQ(grid.text(1, 0), "a");
    EXPECT_EQ(grid.text(1, 1), "");
    EXPECT_EQ(grid.text(1, 2), "c");
}

TEST(TextGridTyping, AppendsAndBackspacesWholeCharacters) {
    TextGrid grid(2, 2);
    grid.setCurrent(1, 1);
    EXPECT_FALSE(grid.typeIntoCurrentCell(8));
    grid.typeIntoCurrentCell('1');
    grid.typeIntoCurrentCell('.');
    grid.typeIntoCurrentCell('5');
    grid.typeIntoCurrentCell(0x00F6);  // o-umlaut
    EXPECT_EQ(grid.text(1, 1), "1.5\xC3\xB6");
    grid.typeIntoCurrentCell(8);
    EXPECT_EQ(grid.text(1, 1), "1.5");
    EXPECT_FALSE(grid.typeIntoCurrentCell(27));
    EXPECT_EQ(grid.text(1, 1), "1.5");
}
