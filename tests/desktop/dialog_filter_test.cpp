#include "dialog_filter.h"

#include <gtest/gtest.h>

using kelvorad::defaultSuffix;
using kelvorad::qtDialogFilter;

TEST(DialogFilter, ProgramFiltersBecomeQtFilters) {
    // The two analysis-file filters and the workbook filters the windows use.
    EXPECT_EQ(qtDialogFilter("Magnetite and Ilmenite(*.mi) |*.mi"),
              "Magnetite and Ilmenite (*.mi)");
    EXPECT_EQ(qtDialogFilter("Magnetite and Ilmenite files(*.mi) |*.mi"),
              "Magnetite and Ilmenite files (*.mi)");
    EXPECT_EQ(qtDialogFilter("Excel files (*.xlsx)|*.xlsx"), "Excel files (*.xlsx)");
    EXPECT_EQ(qtDialogFilter("Grapher files(*.grf) |*.grf"), "Grapher files (*.grf)");
}

TEST(DialogFilter, SeveralPairsAndPatternListsAndOddInput) {
    EXPECT_EQ(qtDialogFilter("Analyses|*.mi;*.txt|All files|*.*"),
              "Analyses (*.mi *.txt);;All files (*.*)");
    EXPECT_EQ(qtDialogFilter("*.mi"), "(*.mi)");
    EXPECT_EQ(qtDialogFilter(""), "");
    // A description with no pattern after it is dropped rather than shown without one.
    EXPECT_EQ(qtDialogFilter("Analyses|*.mi|Dangling"), "Analyses (*.mi)");
}

TEST(DialogFilter, DefaultSuffixIsTheFirstPatternsFixedExtension) {
    EXPECT_EQ(defaultSuffix("Magnetite and Ilmenite files(*.mi) |*.mi"), "mi");
    EXPECT_EQ(defaultSuffix("Excel files (*.xlsx)|*.xlsx;*.xls"), "xlsx");
    EXPECT_EQ(defaultSuffix("All files|*.*"), "");
    EXPECT_EQ(defaultSuffix("Anything|*"), "");
    EXPECT_EQ(defaultSuffix(""), "");
}
