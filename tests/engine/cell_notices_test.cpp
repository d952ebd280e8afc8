#include "cell_notices.h"

#include <gtest/gtest.h>

#include <array>

using namespace kelvorad;

namespace {
std::array<std::string, kPairCellCount> plainPair() {
    std::array<std::string, kPairCellCount> cells;
    for (auto& cell : cells) cell = "1.5";
    cells[0] = "M 1";
    cells[17] = "";
    cells[18] = "I 1";
    return cells;
}
}  // namespace

TEST(CellNotices, HeadersAreTheAnalysisTables) {
    EXPECT_EQ(pairCellHeader(0), "Sample [M]");
    EXPECT_EQ(pairCellHeader(8), "FeO [M]");
    EXPECT_EQ(pairCellHeader(17), "");
    EXPECT_EQ(pairCellHeader(18), "Sample [I]");
    EXPECT_EQ(pairCellHeader(34), "BaO [I]");
}

TEST(CellNotices, OnlyOxideCellsThatAreNotPlainNumbersAreNamed) {
    auto cells = plainPair();
    cells[0] = "n.d.";    // a sample name is never a number
    cells[17] = "x";      // nor is the spacer read
    cells[2] = "";        // a blank cell is no number to report
    cells[8] = "46,45";   // FeO [M]
    cells[27] = "n.d.";   // MnO [I]
    cells[30] = " 0.5 ";  // plain, trimmed
    std::vector<CellNotice> notices;
    findCellNotices(
        7, [&](int k) -> std::string_view { return cells[k]; }, notices);
    ASSERT_EQ(notices.size(), 2u);
    EXPECT_EQ(describeCellNotice(notices[0], "row"),
              "row 7, FeO [M]: \"46,45\" read as 46.45 with a decimal comma");
    EXPECT_EQ(describeCellNotice(notices[1], "line"),
              "line 7, MnO [I]: \"n.d.\" is not a number, read as 0");
}

TEST(CellNotices, TextAfterANumberIsNamedWithTheValueUsed) {
    CellNotice notice{3, 12, "0.87 wt%", readCellNumber("0.87 wt%")};
    EXPECT_EQ(describeCellNotice(notice, "row"),
              "row 3, MgO [M]: \"0.87 wt%\" is not a plain number, read as 0.87");
    notice = {3, 12, "0,87 wt%", readCellNumber("0,87 wt%")};
    EXPECT_EQ(describeCellNotice(notice, "row"),
              "row 3, MgO [M]: \"0,87 wt%\" is not a plain number, read as 0.87 with a decimal "
              "comma");
}

TEST(CellNotices, ATableIsCheckedRowByRowSkippingBlankRows) {
    std::vector<std::array<std::string, kPairCellCount>> rows(4, plainPair());
    rows[1].fill("");
    rows[1][5] = "";
    rows[2][1] = "bdl";
    rows[3][20] = "0,3";
    const auto notices =
        findTableCellNotices(0, 3, [&](int r, int k) -> std::string_view { return rows[r][k]; });
    ASSERT_EQ(notices.size(), 2u);
    EXPECT_EQ(notices[0].row, 2);
    EXPECT_EQ(notices[0].cell, 1);
    EXPECT_EQ(notices[1].row, 3);
    EXPECT_DOUBLE_EQ(notices[1].reading.value, 0.3);
}
