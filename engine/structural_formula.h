#pragma once
// Structural formulae and ferric iron. Each analysis (wt%) is recalculated to cations per
// formula unit, magnetite on 3 cations and ilmenite on 2, with its ferric iron estimated from
// charge balance by one of three published schemes:
//   Stormer (1983), Am. Mineral. 68, 586-594 - the default;
//   Carmichael (1967), Contrib. Mineral. Petrol. 14, 36-64;
//   Droop (1987), Mineral. Mag. 51, 431-435.
// Estimation applies to a mineral whose entered FeO > 0 and entered Fe2O3 = 0; otherwise the
// entered FeO and Fe2O3 are used as they stand.

#include "analysis_pair.h"
#include "method_options.h"

namespace kelvorad {

struct StructuralFormula {
    double oxideTotal = kMissing;  // sum of the sixteen entered wt%
    double fe2o3Calculated = 0.0;  // wt%, 0 unless ferric iron was estimated
    double feoCalculated = 0.0;    // wt%, 0 unless ferric iron was estimated
    OxideValues cations{};         // per formula unit: Si, Ti, Al, V, Cr, Nb, Fe3+, Fe2+, ...
    double cationTotal = kMissing;
    // Magnetite: 4 / oxygen sum; ilmenite: 3 / oxygen sum, with the recalculated Fe2O3 and FeO
    // where ferric iron was estimated. Missing when the mineral has no FeO.
    double oxygenBasisFactor = kMissing;
};

struct PairFormulae {
    StructuralFormula magnetite;
    StructuralFormula ilmenite;
};

// Recalculates both minerals of a pair by the given scheme. Failed steps (an analysis of all
// zeros, a zero denominator) leave the quantities concerned missing (NaN).
PairFormulae recalculatePair(const AnalysisPair& pair, FerricScheme scheme);

// Molecular proportion m = wt / MW and oxygen proportion n_O * m of every oxide.
OxideValues molecularProportions(const OxideValues& wt);
OxideValues oxygenProportions(const OxideValues& wt);

}  // namespace kelvorad
