#include "table_change.h"

#include <gtest/gtest.h>

using namespace kelvorad;

namespace {
AnalysisTable filled() {
    AnalysisTable table;
    for (int r = 1; r <= 20; ++r) table.setText(r, 1, "MT-" + std::to_string(r));
    table.setText(3, 18, "spacer");
    return table;
}
}  // namespace

TEST(TableChange, CellChangesGoBackAndForthWithTheCursor) {
    AnalysisTable table = filled();
    table.setCurrent(2, 1);
    table.setSelectionEnd(4, 5);
    const AnalysisTable before = table;
    table.emptySelection();
    table.setText(3, 18, "");
    table.setCurrent(9, 9);
    const AnalysisTable after = table;
    const TableChange change = TableChange::between(before, after);
    EXPECT_FALSE(change.isEmpty());
    EXPECT_EQ(change.onlyCell(), std::nullopt);

    change.undo(table);
    EXPECT_EQ(table.text(3, 18), "spacer");
    EXPECT_EQ(table.text(2, 1), "MT-2");
    EXPECT_EQ(table.text(4, 1), "MT-4");
    EXPECT_EQ(table.row(), 2);
    EXPECT_EQ(table.selectionEndColumn(), 5) << "the selection comes back";
    change.redo(table);
    EXPECT_EQ(table.text(3, 18), "");
    EXPECT_EQ(table.text(4, 1), "");
    EXPECT_EQ(table.text(5, 1), "MT-5") << "outside the selection, untouched";
    EXPECT_EQ(std::make_pair(table.row(), table.column()), std::make_pair(9, 9));
}

TEST(TableChange, ChangedCountsKeepBothTablesWhole) {
    AnalysisTable table = filled();
    table.setCurrent(5, 1);
    const AnalysisTable before = table;
    table.insertRow(5);
    const AnalysisTable after = table;
    const TableChange change = TableChange::between(before, after);
    change.undo(table);
    EXPECT_EQ(table.rowCount(), 351);
    EXPECT_EQ(table.text(5, 1), "MT-5");
    change.redo(table);
    EXPECT_EQ(table.rowCount(), 352);
    EXPECT_EQ(table.text(6, 1), "MT-5");
    EXPECT_EQ(table.text(5, 1), "");

    TableChange cells = TableChange::between(after, after);
    EXPECT_TRUE(cells.isEmpty()) << "no change at all";
    EXPECT_FALSE(cells.absorb(change)) << "a change of counts does not combine";
}

TEST(TableChange, TypingInOneCellCombinesIntoOneChange) {
    AnalysisTable table;
    table.setCurrent(1, 1);
    const AnalysisTable empty = table;
    table.typeKey(U'a');
    const AnalysisTable a = table;
    table.typeKey(U'b');
    TableChange typing = TableChange::between(empty, a);
    EXPECT_EQ(typing.onlyCell(), std::make_pair(1, 1));
    ASSERT_TRUE(typing.absorb(TableChange::between(a, table)));
    typing.undo(table);
    EXPECT_EQ(table.text(1, 1), "");
    typing.redo(table);
    EXPECT_EQ(table.text(1, 1), "ab");

    // Typed away again: the combined change changes nothing.
    const AnalysisTable ab = table;
    table.typeKey(8);
    table.typeKey(8);
    TableChange undone = TableChange::between(empty, a);
    undone.absorb(TableChange::between(a, ab));
    undone.absorb(TableChange::between(ab, table));
    EXPECT_TRUE(undone.isEmpty());
}
