#include <gtest/gtest.h>

#include "results_table.h"
#include "uncertainty_columns.h"

using namespace kelvorad;

namespace {
std::string shown(int column, std::string_view text) {
    return displayText(text, ResultsTable::columnKind(column));
}
}  // namespace

// Each group of columns shows its own decimals: oxides and log fO2 2, temperatures 1,
// cations and fractions 4; sample names, verdict and status as they are.
TEST(DisplayRounding, EachColumnGroupShowsItsDecimals) {
    EXPECT_EQ(shown(2, "12.3456789012345"), "12.35");     // TiO2 (M)
    EXPECT_EQ(shown(57, "30.004999"), "30.00");           // FeO(cal.) (I)
    EXPECT_EQ(shown(26, "1.83749999999"), "1.8375");      // Fe3+ (M)
    EXPECT_EQ(shown(74, "2"), "2.0000");                  // cation total (I)
    EXPECT_EQ(shown(90, "0.912345678"), "0.9123");        // Xilm
    EXPECT_EQ(shown(105, "851.249999"), "851.2");         // TAL85C67
    EXPECT_EQ(shown(110, "1E+03"), "1000.0");             // TGE08, exponent form
    EXPECT_EQ(shown(123, "-12.3456"), "-12.35");          // fO2AL85S83
    EXPECT_EQ(shown(131, "1.005"), "1.00");               // DeltaNNO_GE08 (binary 1.00499..)
    EXPECT_EQ(shown(135, "812.06"), "812.1");             // full model T
    EXPECT_EQ(shown(138, "0.61234567"), "0.6123");        // aTiO2
    EXPECT_EQ(shown(0, "FC-1 3.14159"), "FC-1 3.14159");  // sample
    EXPECT_EQ(shown(38, "123.456789"), "123.456789");     // ilmenite sample, a number
    EXPECT_EQ(shown(133, "Failed"), "Failed");
    EXPECT_EQ(shown(140, "converged"), "converged");
    EXPECT_EQ(shown(142, "-0.4567"), "-0.46");          // DeltaFMQ of the full model
    EXPECT_EQ(shown(146, "1.2345"), "1.23");            // DeltaFMQ of AL85 with S83 fractions
    EXPECT_EQ(shown(147, "14.2345"), "14.2");           // sd of T AL85 (uncertainty)
    EXPECT_EQ(shown(156, "0.12345"), "0.12");           // sd of log fO2 AL85
    EXPECT_EQ(shown(200, "1.23456789"), "1.23456789");  // no kind: as it is
}

// Only a cell that is wholly a number is rounded: empty cells, words and edited texts stay.
TEST(DisplayRounding, TextsThatAreNotWholeNumbersStayAsTheyAre) {
    EXPECT_EQ(shown(105, ""), "");
    EXPECT_EQ(shown(105, "about 850"), "about 850");
    EXPECT_EQ(shown(105, "850.25 oC"), "850.25 oC");
    EXPECT_EQ(shown(105, " 850.25"), " 850.25");
    EXPECT_EQ(shown(126, "-0.001"), "0.00");  // no "-0.00"
    EXPECT_EQ(shown(126, "-0.006"), "-0.01");
}

TEST(DisplayRounding, SpacersHeadersAndTextColumnsHaveNoDecimals) {
    for (int c = 0; c < ResultsTable::kColumns; ++c) {
        const bool deltaFMQ = c >= 142 && c <= 146;
        const bool uncertainty =
            c >= kUncertaintyFirstColumn && c < kUncertaintyFirstColumn + kUncertaintyColumnCount;
        if (uncertainty) {
            EXPECT_NE(ResultsTable::columnKind(c), ColumnKind::Text) << c;
        } else if (ResultsTable::isSpacerColumn(c) || c == 0 || c == 38 || c == 133 ||
                   (c >= 140 && !deltaFMQ)) {
            EXPECT_EQ(ResultsTable::columnKind(c), ColumnKind::Text) << c;
        } else if ((c <= 139 && c != 134) || deltaFMQ) {
            EXPECT_NE(ResultsTable::columnKind(c), ColumnKind::Text) << c;
        }
    }
}
