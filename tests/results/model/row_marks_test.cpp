#include "row_marks.h"

#include <gtest/gtest.h>

#include <map>

#include "results_table.h"

using namespace kelvorad;

namespace {
// A results row with every older temperature at 850 oC, the test passed and the full model
// converged; `changes` overrides single columns.
RowMarks marksOf(const std::map<int, std::string>& changes) {
    std::map<int, std::string> fields;
    for (int c = 97; c <= 108; ++c) fields[c] = "850.123";
    fields[133] = "Passed";
    fields[140] = "converged";
    for (const auto& [column, text] : changes) fields[column] = text;
    return rowMarks([&](int column) -> std::string_view {
        const auto found = fields.find(column);
        return found == fields.end() ? std::string_view() : std::string_view(found->second);
    });
}
}  // namespace

TEST(RowMarks, APassedConvergedRowInsideTheCalibrationsIsNotMarked) {
    const RowMarks marks = marksOf({});
    EXPECT_FALSE(marks.any());
    EXPECT_EQ(marks.tint(), 0u);
    EXPECT_EQ(marks.description(), "");
    // Without the full model its status column is empty: no mark either.
    EXPECT_FALSE(marksOf({{140, ""}}).any());
    // The calibration's ends are inside it; missing temperatures are not outside it.
    EXPECT_FALSE(marksOf({{97, "600"}, {108, "1300"}, {101, ""}}).any());
}

TEST(RowMarks, FailedAndUntestedPairsGetTheEquilibriumTintAndTheirVerdict) {
    const RowMarks failed = marksOf({{133, "Failed"}});
    EXPECT_EQ(failed.tint(), kEquilibriumMarkTint);
    EXPECT_EQ(failed.description(), "Equilibrium test: Failed");
    const RowMarks untested = marksOf({{133, "Not tested"}});
    EXPECT_EQ(untested.tint(), kEquilibriumMarkTint);
    EXPECT_EQ(untested.description(), "Equilibrium test: Not tested");
}

TEST(RowMarks, ResultsOutsideACalibrationGetTheCalibrationTintAndTheirReason) {
    const RowMarks status = marksOf({{140, "no root"}});
    EXPECT_EQ(status.tint(), kCalibrationMarkTint);
    EXPECT_EQ(status.description(), "Full model: no root");

    const RowMarks hot = marksOf({{105, "1300.01"}, {100, "599.9"}});
    EXPECT_EQ(hot.tint(), kCalibrationMarkTint);
    EXPECT_EQ(hot.description(), "Outside 600-1300 oC: TP77S83, TAL85C67");
    // Temperatures of the newer models (109, 110) and the full model (135) are not the older
    // thermometers'.
    EXPECT_FALSE(marksOf({{109, "1400"}, {110, "500"}, {135, "1500"}}).any());
}

TEST(RowMarks, BothKindsTogetherShowTheEquilibriumTintAndEveryReason) {
    const RowMarks both = marksOf({{133, "Failed"}, {140, "outside model"}, {97, "1450"}});
    EXPECT_EQ(both.tint(), kEquilibriumMarkTint);
    EXPECT_EQ(both.description(),
              "Equilibrium test: Failed\nFull model: outside model\nOutside 600-1300 oC: TP77C67");
}

TEST(RowMarks, HeaderRowsOfTheTableAreNeverMarked) {
    ResultsTable table;
    std::string row = "S";
    for (int c = 1; c < 134; ++c) row += c == 133 ? "\tFailed" : "\t";
    table.appendResultsRow(row);
    EXPECT_FALSE(rowMarks(table, 0).any());
    EXPECT_FALSE(rowMarks(table, 1).any());
    EXPECT_EQ(rowMarks(table, 2).equilibriumVerdict, "Failed");
    EXPECT_FALSE(rowMarks(table, 3).any());  // beyond the table
}
