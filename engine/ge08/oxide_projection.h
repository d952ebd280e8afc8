#pragma once
// Projection of a wt% oxide analysis onto the end-member mole fractions of the Ghiorso and
// Evans (2008) model: the MELTS "elements to end-members" conversion of the rhombohedral and
// spinel phases, normalised to a sum of 1.
//
// Only TiO2, Al2O3, Cr2O3, total iron, MnO and MgO are read. V2O3, ZnO and NiO are dropped
// (as in the reference runs of the model), Nb2O3, K2O and BaO have no place in it, and SiO2,
// CaO and Na2O are ignored. Fe2O3 counts only through total iron: all iron is taken as FeO
// and the ferric/ferrous split follows from cation stoichiometry and charge balance, so the
// input split and any ferric-iron scheme of the run have no effect.
//
// Molecular weights (g/mol) are those of the model's reference implementation: TiO2 79.8988,
// Al2O3 101.96128, Cr2O3 151.9902, FeO 71.8464, Fe2O3 159.6922, MnO 70.9374, MgO 40.3044.

#include <array>

namespace kelvorad::ge08 {

// Oxide order of both analyses: SiO2, TiO2, Al2O3, V2O3, Cr2O3, Nb2O3, Fe2O3, FeO, MnO, NiO,
// ZnO, MgO, CaO, Na2O, K2O, BaO (wt%).
using OxideAnalysis = std::array<double, 16>;

// Moles of the cations the model reads, per 100 g of analysis.
struct ModelCations {
    double ti = 0, al = 0, cr = 0, fe = 0, mn = 0, mg = 0;
};

// Cation moles per 100 g. Negative or non-finite oxide values make every field NaN.
ModelCations modelCations(const OxideAnalysis& wtPercent);

// Rhombohedral oxide (ilmenite solid solution), 2 cations per 3 O.
struct RhombohedralFractions {
    double geikielite = 0, hematite = 0, ilmenite = 0, pyrophanite = 0, corundum = 0;
    double ferric = 0, ferrous = 0;  // Fe3+ and Fe2+ moles before clipping (per 100 g)
    bool feasible = false;           // all end-member moles >= 0 and a positive sum
};

// Fe3+ = 3 sum(cat) - sum(non-Fe charge) - 2 Fe, Fe2+ = Fe - Fe3+; moles MgTiO3 = Mg,
// Fe2O3 = Fe3+/2, FeTiO3 = Fe2+, MnTiO3 = Mn, Al2O3 = (Al + Cr)/2; Fe2O3 and FeTiO3 are clipped
// at 0; Ti enters only through the charge balance. On bad input (see modelCations, or a zero
// sum) the fractions are NaN and feasible is false.
RhombohedralFractions projectRhombohedral(const OxideAnalysis& wtPercent);

// Spinel (magnetite solid solution), 3 cations per 4 O.
struct SpinelFractions {
    double chromite = 0, hercynite = 0, magnetite = 0, spinel = 0, ulvospinel = 0;
    double ferric = 0;          // Fe3+ moles from the charge balance (per 100 g)
    bool cationExcess = false;  // Fe3+ < 0: more cations than 3 per 4 O allow
    bool feasible = false;      // the model's feasibility tests (see projectSpinel)
    bool hasAluminium = false;  // Al2O3 > 0 in the analysis
};

// Fe3+ = (8/3) sum(cat) - sum(non-Fe charge) - 2 Fe, Fe2+ = Fe - Fe3+. Moles FeCr2O4 = Cr/2,
// Fe3O4 = Fe3+/2, MgAl2O4 = Mg, Fe2TiO4 = Ti, and hercynite as the residual
// Fe2+ + Mn - Cr/2 - Fe3+/2 - 2 Ti, which may be negative (Al-poor, Mg-bearing magnetites);
// a residual within sqrt(DBL_EPSILON) below 0 is set to 0. With cation excess Fe3+ is set to
// DBL_EPSILON and the tetrahedral and octahedral amounts are rescaled as MELTS does. An Al-free
// analysis gets hercynite = -spinel exactly. Feasible: sum >= 0, 0 <= X_spl <= 1 + X_ulv,
// X_chr, X_ulv, X_mag in [0, 1] and -X_spl <= X_herc <= 1. Bad input gives NaN fractions and
// feasible = false.
SpinelFractions projectSpinel(const OxideAnalysis& wtPercent);

}  // namespace kelvorad::ge08
