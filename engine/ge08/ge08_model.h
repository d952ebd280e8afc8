#pragma once
// The Ghiorso and Evans (2008) Fe-Ti two-oxide geothermometer and oxygen barometer (Am. J.
// Sci. 308, 957-1039), computed in full from its thermodynamic model: the temperature of
// Fe-Ti exchange between a magnetite and an ilmenite, the oxygen fugacity, its offset from
// the NNO buffer, the TiO2 activity relative to rutile (Ghiorso and Gualda 2012) and the Fe-Mg
// exchange temperature.
//
// Procedure: both analyses are projected onto end-members (oxide_projection.h), the root of
// the Fe-Ti exchange dG(T) is found on [500, 2500] K where dG changes sign there
// (exchange_root.h: Newton's method with the analytic slope, kept in the bracket, to 1e-8 K),
// and at that T log10 fO2, dNNO = log10 fO2 - log10 fO2(NNO) (nno_buffer.h, same T and P) and
// a_TiO2 follow. The Fe-Mg temperature is the root of its exchange dG on [500, 2000] K where
// the sign changes there.

#include <array>
#include <string_view>

#include "ge08_warm_start.h"

namespace kelvorad::ge08 {

enum class Ge08Status {
    converged,     // the Fe-Ti exchange temperature was found
    noRoot,        // the Fe-Ti exchange dG keeps one sign over 500-2500 K (or the solve failed)
    outsideModel,  // a composition the model cannot represent (see computeGe08Model)
};

// "converged", "no root" or "outside model".
std::string_view ge08StatusText(Ge08Status status);

struct Ge08Result {
    double temperatureC = kMissing;      // Fe-Ti exchange temperature (C)
    double log10fO2 = kMissing;          // absolute log10 fO2 (fO2 in bar) at that T and P
    double deltaNNO = kMissing;          // log10 fO2 - log10 fO2(NNO), same T and P
    double aTiO2 = kMissing;             // TiO2 activity relative to rutile
    double feMgTemperatureC = kMissing;  // Fe-Mg exchange temperature (C)
    Ge08Status status = Ge08Status::outsideModel;
};

// The full model for one magnetite-ilmenite pair at a pressure in bars.
//
// Both arrays hold wt% in the order SiO2, TiO2, Al2O3, V2O3, Cr2O3, Nb2O3, Fe2O3, FeO, MnO,
// NiO, ZnO, MgO, CaO, Na2O, K2O, BaO. V2O3, ZnO and NiO are dropped, Nb2O3, K2O and BaO have no
// place in the model, SiO2, CaO and Na2O are ignored, and Fe2O3 counts only through total iron.
//
// Status "outside model", every value missing: an oxide value negative or not finite, a
// pressure negative or not finite, an analysis failing the projection's feasibility tests,
// an ilmenite with Fe3+ <= 0 or Fe2+ <= 0, a magnetite with more cations than 3 per 4 O (no room
// for Fe3+), or a pair lacking ulvospinel, magnetite, ilmenite or hematite.
// Status "no root": T, log10 fO2, dNNO and a_TiO2 missing; the Fe-Mg temperature is still
// given where it is defined.
// The Fe-Mg temperature is missing when its dG has one sign at 500 and 2000 K, and when Mg is
// absent from either phase (the reaction is then undefined).
Ge08Result computeGe08Model(const std::array<double, 16>& magnetiteWt,
                            const std::array<double, 16>& ilmeniteWt, double pressureBars);

// The same, started from where the solve of a similar pair ended (`hint`, may be null), and
// recording where this solve ended in `reached` (may be null) as the hint for the next.
//
// With a hint, the ordering at each end of the temperature searches continues from the hint's
// ordering there (a single descent instead of the rhombohedral phase's multi-start; the ends,
// 500, 2000 and 2500 K, lie far from the phase's order-disorder transition, where one minimum is
// all there is), and each search starts at the hint's temperature and orderings. The ordering
// at the root is confirmed by the spinel's full solve and by the disordered state and the first
// start of the rhombohedral multi-start (the start its lowest minimum comes from in practice;
// see RhombohedralOxide::equilibrateQuickly). The results agree with those of a solve without a
// hint to round-off (the searches stop within 1e-8 K), unless one of the other starts would find
// a lower ilmenite minimum than the first, which no tested pair does. A hint from an unrelated
// pair, or one with nonsense in it, only costs time. Plain numbers: one hint may be read by
// solves on several threads at once.
Ge08Result computeGe08Model(const std::array<double, 16>& magnetiteWt,
                            const std::array<double, 16>& ilmeniteWt, double pressureBars,
                            const Ge08WarmStart* hint, Ge08WarmStart* reached = nullptr);

}  // namespace kelvorad::ge08
