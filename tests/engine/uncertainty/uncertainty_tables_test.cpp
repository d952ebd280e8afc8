// The constant tables: each quantity is headed by the text of its results column, and
// calibration uncertainties are stated only with a value.
#include <gtest/gtest.h>

#include <set>

#include "calibration_uncertainty.h"
#include "results_table.h"
#include "uncertainty_quantities.h"

using namespace kelvorad;

TEST(UncertaintyQuantities, HeadersAreThoseOfTheirResultsColumns) {
    std::set<std::string_view> headers;
    for (const ResultsColumn& c : ResultsTable::columns()) headers.insert(c.header);
    std::set<std::string_view> fullModelHeaders(ResultsTable::fullModelHeaders().begin(),
                                                ResultsTable::fullModelHeaders().end());
    std::set<std::string_view> names;
    for (const UncertaintyQuantity& q : kUncertaintyQuantities) {
        const auto& where = q.fullModel ? fullModelHeaders : headers;
        EXPECT_TRUE(where.count(q.header)) << q.name << ": " << q.header;
        EXPECT_TRUE(names.insert(q.name).second) << "names are unique: " << q.name;
        EXPECT_EQ(findUncertaintyQuantity(q.name), &q);
    }
    EXPECT_EQ(findUncertaintyQuantity("no such quantity"), nullptr);
}

TEST(CalibrationUncertainty, EveryModelIsListedAndOnlyValuesAreStated) {
    std::set<std::string_view> models;
    for (const CalibrationUncertainty& c : kCalibrationUncertainties) {
        models.insert(c.model);
        EXPECT_FALSE(c.source.empty());
        const std::string text = calibrationText(c);
        EXPECT_EQ(text.rfind(isStated(c) ? "+/- " : "none stated (", 0), 0u) << text;
    }
    EXPECT_EQ(models, (std::set<std::string_view>{"AL85", "S08", "GE08 regression", "GE08 model"}));
    const CalibrationUncertainty stated{"X", "T", 30.0, "oC", "A (2000)"};
    EXPECT_EQ(calibrationText(stated), "+/- 30 oC (A (2000))");
}
