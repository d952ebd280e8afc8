#include "cli/pair_text_input.h"

#include <gtest/gtest.h>

using namespace kelvorad;

TEST(PairTextInput, SkipsTheHeaderAndBlankLinesAndAcceptsAnyLineEnd) {
    PairTextInput input("Sample [M]\tSiO2\r\nA\t1\r\n\nB\t2\rC\t3", '\t');
    ASSERT_EQ(input.lineCount(), 3u);
    std::vector<std::string> cells;
    input.cells(2, cells);
    EXPECT_EQ(cells.size(), 35u);
    EXPECT_EQ(cells[0], "C");
    EXPECT_EQ(cells[1], "3");
    EXPECT_EQ(cells[2], "");
}

TEST(PairTextInput, CommaSeparatedCellsMayBeQuoted) {
    PairTextInput input("\"MT 1, rim\",0.1,\"8.5\",,\"say \"\"x\"\"\"\n", ',');
    std::vector<std::string> cells;
    input.cells(0, cells);
    EXPECT_EQ(cells[0], "MT 1, rim");
    EXPECT_EQ(cells[1], "0.1");
    EXPECT_EQ(cells[2], "8.5");
    EXPECT_EQ(cells[3], "");
    EXPECT_EQ(cells[4], "say \"x\"");
}

TEST(PairTextInput, SeparatorIsGuessedFromTheFirstLine) {
    PairTextInput tabs("A\t1,5\n", 0);
    std::vector<std::string> cells;
    tabs.cells(0, cells);
    EXPECT_EQ(cells[1], "1,5");
    PairTextInput commas("A,1\n", 0);
    commas.cells(0, cells);
    EXPECT_EQ(cells[1], "1");
}

TEST(PairTextInput, ExtraCellsBeyondThePairAreIgnored) {
    std::string line = "S";
    for (int k = 1; k < 40; ++k) {
        line += '\t';
        line += std::to_string(k);
    }
    PairTextInput input(line, '\t');
    std::vector<std::string> cells;
    input.cells(0, cells);
    ASSERT_EQ(cells.size(), 35u);
    EXPECT_EQ(cells[34], "34");
}
