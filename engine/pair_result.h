#pragma once
// Everything the engine computes for one analysis pair. Missing values (failed steps, values
// withdrawn by the equilibrium test, the ilmenite half of a pair without ilmenite) are NaN.

#include <array>
#include <optional>

#include "analysis_pair.h"
#include "end_members.h"
#include "equilibrium_test.h"
#include "ge08/ge08_model.h"
#include "newer_models.h"
#include "oxide_thermometry.h"
#include "structural_formula.h"

namespace kelvorad {

struct PairResult {
    AnalysisPair input;  // sample names and entered wt%
    PairFormulae formulae;
    EndMembers fractions{};
    OxideThermometry thermometry;
    NewerModels newer;
    double logMgMnMagnetite = kMissing;
    double logMgMnIlmenite = kMissing;
    CationSums sumsMagnetite{kMissing, kMissing};
    CationSums sumsIlmenite{kMissing, kMissing};
    // The full Ghiorso and Evans (2008) thermodynamic model, when its option is checked.
    std::optional<ge08::Ge08Result> fullModel;
    // log10 fO2 - log10 fO2(FMQ) at the run's pressure, with the full model: its own and the
    // four Andersen and Lindsley (1985) values (C67, A68, LS82, S83 fractions).
    double deltaFMQFullModel = kMissing;
    std::array<double, 4> deltaFMQAL85{kMissing, kMissing, kMissing, kMissing};
    EquilibriumVerdict equilibrium = EquilibriumVerdict::NotTested;
    bool estimatesWithdrawn = false;  // failed test with the test option checked
    bool ilmeniteMissing = false;     // ilmenite TiO2 exactly 0: the ilmenite half is blank
};

}  // namespace kelvorad
