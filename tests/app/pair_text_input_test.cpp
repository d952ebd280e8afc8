#include "cli/pair_text_input.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "cell_notices.h"
#include "oxide_data.h"

using namespace kelvorad;

namespace {

struct ReadText {
    std::vector<std::vector<std::string>> rows;
    std::vector<long> lines;
    PairColumns columns;
    char separator = 0;
};

ReadText readText(const std::string& text) {
    std::istringstream in(text);
    PairTextInput input(in);
    ReadText read;
    read.columns = input.columns();
    read.separator = input.separator();
    std::vector<std::string> cells;
    while (input.next(cells)) {
        read.rows.push_back(cells);
        read.lines.push_back(input.lineNumber());
    }
    return read;
}

constexpr int kMagnetite = 1;  // analysis cell of the first magnetite oxide
constexpr int kIlmenite = 19;  // and of the first ilmenite oxide

}  // namespace

TEST(PairTextInput, SkipsTheHeaderAndBlankLinesAndAcceptsAnyLineEnd) {
    const ReadText read = readText("Sample [M]\tSiO2\r\nA\t1\r\n\nB\t2\rC\t3");
    ASSERT_EQ(read.rows.size(), 3u);
    const std::vector<std::string>& cells = read.rows[2];
    EXPECT_EQ(cells.size(), 35u);
    EXPECT_EQ(cells[0], "C");
    EXPECT_EQ(cells[1], "3");
    EXPECT_EQ(cells[2], "");
    EXPECT_EQ(read.lines, (std::vector<long>{2, 4, 5}));
    EXPECT_FALSE(read.columns.byName);
}

TEST(PairTextInput, CommaSeparatedCellsMayBeQuoted) {
    const ReadText read = readText("\"MT 1, rim\",0.1,\"8.5\",,\"say \"\"x\"\"\"\n");
    ASSERT_EQ(read.rows.size(), 1u);
    const std::vector<std::string>& cells = read.rows[0];
    EXPECT_EQ(cells[0], "MT 1, rim");
    EXPECT_EQ(cells[1], "0.1");
    EXPECT_EQ(cells[2], "8.5");
    EXPECT_EQ(cells[3], "");
    EXPECT_EQ(cells[4], "say \"x\"");
}

TEST(PairTextInput, SeparatorIsGuessedFromTheFirstLine) {
    EXPECT_EQ(readText("A\t1,5\n").rows[0][1], "1,5");
    EXPECT_EQ(readText("A,1\n").rows[0][1], "1");
    // A semicolon export keeps its decimal commas inside the cells.
    const ReadText semicolons = readText("\"M; rim\";46,45;0,12\n");
    EXPECT_EQ(semicolons.separator, ';');
    EXPECT_EQ(semicolons.rows[0][0], "M; rim");
    EXPECT_EQ(semicolons.rows[0][1], "46,45");
    EXPECT_EQ(readText("\"a;b\",1\n").separator, ',');  // quoted separators do not count
}

TEST(PairTextInput, ExtraCellsBeyondThePairAreIgnored) {
    std::string line = "S";
    for (int k = 1; k < 40; ++k) {
        line += '\t';
        line += std::to_string(k);
    }
    const ReadText read = readText(line);
    ASSERT_EQ(read.rows[0].size(), 35u);
    EXPECT_EQ(read.rows[0][34], "34");
}

TEST(PairTextInput, AnUnclosedQuoteEndsWithItsLineAndAByteOrderMarkIsDropped) {
    const ReadText read = readText("\xEF\xBB\xBFSample,SiO2\n\"M1,0.5\nM2,0.7\n");
    ASSERT_EQ(read.rows.size(), 2u);
    EXPECT_EQ(read.rows[0][0], "M1,0.5");
    EXPECT_EQ(read.rows[1][0], "M2");
    EXPECT_EQ(read.rows[1][1], "0.7");
}

TEST(ColumnNames, TheTablesHeadersAndTheUsualSpellings) {
    using Phase = ColumnName::Phase;
    struct Case {
        const char* field;
        bool sample;
        int oxide;
        Phase phase;
    };
    const Case cases[] = {
        {"FeO [M]", false, FeO, Phase::Magnetite},     {"TiO2 [I]", false, TiO2, Phase::Ilmenite},
        {"mt_SiO2", false, SiO2, Phase::Magnetite},    {"ilm_BaO", false, BaO, Phase::Ilmenite},
        {"Mag Al2O3", false, Al2O3, Phase::Magnetite}, {"MnO Ilm", false, MnO, Phase::Ilmenite},
        {"FeO*", false, FeO, Phase::Unmarked},         {"FeOt [M]", false, FeO, Phase::Magnetite},
        {"FeOT_ilm", false, FeO, Phase::Ilmenite},     {"FeO(t) Mt", false, FeO, Phase::Magnetite},
        {"[M] MgO", false, MgO, Phase::Magnetite},     {"MgO (wt%)", false, MgO, Phase::Unmarked},
        {"NiO [I]", false, NiO, Phase::Ilmenite},      {"mno_mt", false, MnO, Phase::Magnetite},
        {"sample", true, -1, Phase::Unmarked},         {"Sample [I]", true, -1, Phase::Ilmenite},
        {" Sample name ", true, -1, Phase::Unmarked},  {"ilm_sample", true, -1, Phase::Ilmenite},
    };
    for (const Case& c : cases) {
        const std::optional<ColumnName> name = readColumnName(c.field);
        ASSERT_TRUE(name) << c.field;
        EXPECT_EQ(name->sample, c.sample) << c.field;
        EXPECT_EQ(name->oxide, c.oxide) << c.field;
        EXPECT_EQ(name->phase, c.phase) << c.field;
    }
    for (const char* nothing : {"Total", "", "Row No", "Fe", "M", "Comment", "FeO2 [M]"}) {
        EXPECT_FALSE(readColumnName(nothing)) << nothing;
    }
}

TEST(PairTextInput, TheTablesOwnHeaderKeepsThePositionalLayout) {
    std::string header;
    std::string data;
    for (int k = 0; k < 35; ++k) {
        header += (k ? "\t" : "") + pairCellHeader(k);
        data += (k ? "\t" : "") + std::to_string(k);
    }
    const ReadText read = readText(header + "\n" + data + "\n");
    EXPECT_FALSE(read.columns.byName);
    ASSERT_EQ(read.rows.size(), 1u);
    for (int k = 0; k < 35; ++k) EXPECT_EQ(read.rows[0][k], std::to_string(k));
}

TEST(PairTextInput, AHeaderInAnotherOrderIsReadByName) {
    const ReadText read = readText(
        "Ilm TiO2;FeO* [M];Total;sample;Mt TiO2;FeOt [I]\n"
        "45,10;80,52;99,9;\"B; 12\";8,45;47,90\n");
    ASSERT_TRUE(read.columns.byName);
    ASSERT_EQ(read.rows.size(), 1u);
    const std::vector<std::string>& cells = read.rows[0];
    EXPECT_EQ(cells[kIlmenite + TiO2], "45,10");
    EXPECT_EQ(cells[kMagnetite + FeO], "80,52");
    EXPECT_EQ(cells[kMagnetite + TiO2], "8,45");
    EXPECT_EQ(cells[kIlmenite + FeO], "47,90");
    EXPECT_EQ(cells[0], "B; 12");  // one sample column names both analyses
    EXPECT_EQ(cells[18], "B; 12");
    EXPECT_EQ(cells[kMagnetite + SiO2], "");
    EXPECT_EQ(read.columns.unread, (std::vector<std::string>{"Total"}));
    // Every oxide but the four named is missing, magnetite ones first.
    ASSERT_EQ(read.columns.missingOxides.size(), 28u);
    EXPECT_EQ(read.columns.missingOxides.front(), kMagnetite + SiO2);
    EXPECT_EQ(read.columns.missingOxides.back(), kIlmenite + BaO);
    EXPECT_TRUE(read.columns.conflict.empty());
}

TEST(PairTextInput, TwoColumnsNamingOneCellAreAConflict) {
    const ReadText read = readText("sample,mt_FeO,FeOt [M],ilm_FeO\nA,1,2,3\n");
    EXPECT_EQ(read.columns.conflict, "columns \"mt_FeO\" and \"FeOt [M]\" both name FeO [M]");
    EXPECT_NE(readText("sample,Sample [I],ilm_FeO\n").columns.conflict, "");
}

TEST(PairTextInput, ThePublishedCompilationIsReadByName) {
    std::ifstream file(std::string(KELVORAD_TEST_DATA_DIR) + "/natural-pairs.csv",
                       std::ios::binary);
    ASSERT_TRUE(file);
    PairTextInput input(file);
    EXPECT_TRUE(input.columns().byName);
    EXPECT_TRUE(input.columns().unread.empty());
    EXPECT_TRUE(input.columns().missingOxides.empty());
    std::vector<std::string> cells;
    std::vector<std::vector<std::string>> rows;
    while (input.next(cells)) rows.push_back(cells);
    ASSERT_EQ(rows.size(), 33u);
    // "...No: 12A,12B",0.14,26.1,0.41,0.55,0.02,,,68.8,0.67,0,0.09,0.87,0.1,,,,0.14,49.5,...
    const std::vector<std::string>& first = rows[0];
    EXPECT_EQ(first[0], "Hat Creek (Olivine Basalt) Table 5 (63) No: 12A,12B");
    EXPECT_EQ(first[18], first[0]);
    EXPECT_EQ(first[kMagnetite + SiO2], "0.14");
    EXPECT_EQ(first[kMagnetite + TiO2], "26.1");
    EXPECT_EQ(first[kMagnetite + FeO], "68.8");
    EXPECT_EQ(first[kMagnetite + Fe2O3], "");
    EXPECT_EQ(first[17], "");  // the spacer
    EXPECT_EQ(first[kIlmenite + SiO2], "0.14");
    EXPECT_EQ(first[kIlmenite + TiO2], "49.5");
    EXPECT_EQ(first[kIlmenite + FeO], "47.7");
    EXPECT_EQ(first[kIlmenite + MgO], "0.69");
}
