#include "analysis_table.h"

#include <gtest/gtest.h>

using namespace kelvorad;

TEST(AnalysisTableLayout, FreshTableHasHeadersRowNumbersAndEmptyData) {
    AnalysisTable table;
    EXPECT_EQ(table.rowCount(), 351);
    EXPECT_EQ(table.columnCount(), 36);
    EXPECT_EQ(table.text(0, 0), "Row No");
    EXPECT_EQ(table.text(0, 1), "Sample [M]");
    EXPECT_EQ(table.text(0, 9), "FeO [M]");
    EXPECT_EQ(table.text(0, 18), "");
    EXPECT_EQ(table.text(0, 27), "FeO [I]");
    EXPECT_EQ(table.text(0, 35), "BaO [I]");
    EXPECT_EQ(table.text(350, 0), "350");
    for (int r = 1; r <= 350; ++r) {
        for (int c = 1; c <= 35; ++c) ASSERT_EQ(table.text(r, c), "");
    }
    EXPECT_EQ(table.row(), 0);
    EXPECT_EQ(table.column(), 35);
}

TEST(AnalysisTableLayout, IlmeniteOxideStandsEighteenColumnsRight) {
    const auto& columns = AnalysisTable::columns();
    for (int c = 2; c <= 17; ++c) {
        std::string magnetite(columns[c].header);
        std::string ilmenite(columns[c + 18].header);
        EXPECT_EQ(magnetite.substr(0, magnetite.size() - 3),
                  ilmenite.substr(0, ilmenite.size() - 3));
        EXPECT_EQ(columns[c].widthTwips, columns[c + 18].widthTwips);
    }
}

TEST(AnalysisTableLayout, CapCellKeepsDataAndRestoresHeaders) {
    AnalysisTable table;
    table.setText(5, 9, "80");
    table.setText(0, 3, "changed");
    table.setText(7, 0, "x");
    table.insertRow(3);
    table.layOutTable();
    EXPECT_EQ(table.rowCount(), 351);
    EXPECT_EQ(table.text(6, 9), "80");  // moved down by the insertion, kept by the layout
    EXPECT_EQ(table.text(0, 3), "TiO2 [M]");
    EXPECT_EQ(table.text(7, 0), "7");
    EXPECT_EQ(table.text(3, 0), "3");
}

TEST(AnalysisTableLayout, ClearTableEmptiesEverythingThenLaysOut) {
    AnalysisTable table;
    table.setText(10, 10, "1.2");
    table.insertRow(2);
    table.clearTable();
    EXPECT_EQ(table.rowCount(), 351);
    EXPECT_EQ(table.text(10, 10), "");
    EXPECT_EQ(table.text(350, 0), "350");
}

TEST(AnalysisTableKeys, EnterAndTabWalkInReadingOrder) {
    AnalysisTable table;
    table.setCurrent(4, 35);
    table.typeKey(13);
    EXPECT_EQ(table.row(), 5);
    EXPECT_EQ(table.column(), 0);
    table.typeKey(13);
    EXPECT_EQ(table.column(), 1);
    table.setCurrent(350, 35);
    table.typeKey(9);
    EXPECT_EQ(table.row(), 1);
    EXPECT_EQ(table.column(), 0);
}

TEST(AnalysisTableKeys, TypingInColumnZeroAppendsToTheRowNumber) {
    AnalysisTable table;
    table.setCurrent(4, 0);
    EXPECT_TRUE(table.typeKey('a'));
    EXPECT_EQ(table.text(4, 0), "4a");
}
