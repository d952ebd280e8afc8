#pragma once
// The quantities whose spread a Monte Carlo run reports, one line each: a short name, the
// header text of the results column that holds the quantity (so that its " sd", " p2.5" and
// " p97.5" columns can be headed by it), its unit, whether it comes from the full Ghiorso and
// Evans (2008) model, and how to read it from a pair's results. A value that is missing (NaN)
// for a draw is not counted.

#include <array>
#include <string_view>

#include "pair_result.h"

namespace kelvorad {

struct UncertaintyQuantity {
    std::string_view name;    // short name, e.g. "T_AL85_S83"
    std::string_view header;  // header text of its results column, e.g. "TAL85S83](oC)"
    std::string_view unit;    // "oC", "log units", "" (a ratio)
    bool fullModel;           // missing unless the run computes the full model
    double (*value)(const PairResult&);
};

// How each quantity is read from a pair's results.
namespace quantity_values {
inline constexpr std::size_t kStormer = 3;  // scheme index of S83 in the thermometry arrays

inline double tAL85S83(const PairResult& r) {
    return r.thermometry.tAL85[kStormer];
}
inline double logFO2AL85S83(const PairResult& r) {
    return r.thermometry.fo2AL85[kStormer];
}
inline double deltaNNOAL85S83(const PairResult& r) {
    return r.thermometry.deltaNNOAL85[kStormer];
}
inline double tS08(const PairResult& r) {
    return r.newer.tS08;
}
inline double tGE08Regression(const PairResult& r) {
    return r.newer.tGE08;
}
inline double deltaNNOS08(const PairResult& r) {
    return r.newer.deltaNNOS08;
}
inline double deltaFMQFullModel(const PairResult& r) {
    return r.deltaFMQFullModel;
}
inline double deltaNNOGE08Regression(const PairResult& r) {
    return r.newer.deltaNNOGE08;
}
// 1 for a pair that passes the equilibrium test, 0 for one that fails, missing for one the test
// cannot judge (no Mg or Mn): the mean over the draws is the pass fraction of the tested draws.
inline double equilibriumTestPassed(const PairResult& r) {
    switch (r.equilibrium) {
        case EquilibriumVerdict::Passed:
            return 1;
        case EquilibriumVerdict::Failed:
            return 0;
        case EquilibriumVerdict::NotTested:
            break;
    }
    return kMissing;
}

template <double ge08::Ge08Result::*field>
double fullModel(const PairResult& r) {
    return r.fullModel ? (*r.fullModel).*field : kMissing;
}
}  // namespace quantity_values

// In the order of their results columns.
// clang-format off
inline constexpr std::array kUncertaintyQuantities{
    UncertaintyQuantity{"T_AL85_S83", "TAL85S83](oC)", "oC", false, quantity_values::tAL85S83},
    UncertaintyQuantity{"T_S08", "[TS08](oC)", "oC", false, quantity_values::tS08},
    UncertaintyQuantity{"T_GE08_regression", "[TGE08](oC)", "oC", false, quantity_values::tGE08Regression},
    UncertaintyQuantity{"logfO2_AL85_S83", "fO2AL85S83]", "log units", false, quantity_values::logFO2AL85S83},
    UncertaintyQuantity{"DeltaNNO_AL85_S83", "DeltaNNO_AL85S83]", "log units", false, quantity_values::deltaNNOAL85S83},
    UncertaintyQuantity{"DeltaNNO_S08", "[DeltaNNO_S08]", "log units", false, quantity_values::deltaNNOS08},
    UncertaintyQuantity{"DeltaNNO_GE08_regression", "[DeltaNNO_GE08]", "log units", false, quantity_values::deltaNNOGE08Regression},
    UncertaintyQuantity{"EquilibriumTest_pass", "[Bacon and Hirschmann (1988) Test]", "", false, quantity_values::equilibriumTestPassed},
    UncertaintyQuantity{"T_GE08_model", "[TGE08model](oC)", "oC", true, quantity_values::fullModel<&ge08::Ge08Result::temperatureC>},
    UncertaintyQuantity{"logfO2_GE08_model", "fO2GE08model", "log units", true, quantity_values::fullModel<&ge08::Ge08Result::log10fO2>},
    UncertaintyQuantity{"DeltaNNO_GE08_model", "DeltaNNO_GE08model", "log units", true, quantity_values::fullModel<&ge08::Ge08Result::deltaNNO>},
    UncertaintyQuantity{"aTiO2_GE08_model", "aTiO2", "", true, quantity_values::fullModel<&ge08::Ge08Result::aTiO2>},
    UncertaintyQuantity{"DeltaFMQ_GE08_model", "[DeltaFMQ_GE08model]", "log units", true, quantity_values::deltaFMQFullModel},
};
// clang-format on

inline constexpr std::size_t kUncertaintyQuantityCount = kUncertaintyQuantities.size();

// The quantity of a name, or null.
inline const UncertaintyQuantity* findUncertaintyQuantity(std::string_view name) {
    for (const UncertaintyQuantity& q : kUncertaintyQuantities) {
        if (q.name == name) return &q;
    }
    return nullptr;
}

}  // namespace kelvorad
