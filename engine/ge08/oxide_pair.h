#pragma once
// The reactions of the Ghiorso and Evans (2008, Am. J. Sci. 308, 957-1039) two-oxide model
// between a spinel (magnetite solid solution) and a rhombohedral oxide (ilmenite solid
// solution) of fixed compositions at a fixed pressure. Units: J/mol, K, bar.
//
//   Fe-Ti exchange  FeTiO3 (ilm) + Fe3O4 (mag) = Fe2TiO4 (mag) + Fe2O3 (ilm)
//                   dG = mu_ulv + mu_hem - mu_ilm - mu_mag, with the "reaction" ulvospinel
//                   correction; T is its root.
//   Oxybarometer    O2 + 4 Fe3O4 (mag) = 6 Fe2O3 (ilm)
//                   log10 fO2 = (6 mu_hem - 4 mu_mag - mu°_O2) / (R T ln 10),
//                   R = 8.3144598 J/(mol K).
//   Fe-Mg exchange  FeAl2O4 (sp) + MgTiO3 (ilm) = MgAl2O4 (sp) + FeTiO3 (ilm)
//                   dG = mu_spl + mu_ilm - mu_herc - mu_gei (no ulvospinel correction).
//   TiO2 activity   Fe2TiO4 (mag) + TiO2 (rutile) = 2 FeTiO3 (ilm) (Ghiorso and Gualda 2012,
//                   Contrib. Mineral. Petrol. 165), a = exp(-(mu°_rut + mu_ulv - 2 mu_ilm)/(RT)),
//                   R = 8.3143, with the "plain" ulvospinel correction.
// Every mu is the standard state (Berman 1988 H - T S, with the Ghiorso and Evans Vinet volume
// integral in place of Berman's for the end-members that have one; rutile keeps Berman's) plus
// the solution model's mu - mu°. Within each phase the ln(site fraction) terms are summed over
// the reaction before they are evaluated, so a reaction that does not involve an absent
// component stays finite.

#include "end_member.h"
#include "rhombohedral_oxide.h"
#include "spinel_oxide.h"

namespace kelvorad::ge08 {

// mu° (J/mol) at T (K), P (bar) as the model uses it: Berman (1988) H - T S plus the Vinet
// integral of V dP where Ghiorso and Evans give Vinet parameters, otherwise Berman's.
double modelStandardGibbs(EndMember m, double temperatureK, double pressureBars);

// Its T-derivative at fixed P (J/(mol K)): -S(T) plus the slope of the volume integral used.
double modelStandardGibbsSlope(EndMember m, double temperatureK, double pressureBars);

// Both in one pass.
GibbsWithSlope modelStandardState(EndMember m, double temperatureK, double pressureBars);

// The ordering variables of both phases (a start for the ordering solves), and those of their
// pure end-members by slot (starts for their minimisations; NaN where unknown).
struct PairOrdering {
    Vec3 spinel{};
    Vec3 rhombohedral{};
    std::array<double, 5> spinelPure = SpinelState::filledWithNaN();
    std::array<double, 5> rhombohedralPure = RhombohedralState::filledWithNaN();
};

// Both phases in their equilibrium ordering at one temperature.
struct PairState {
    double temperatureK = 0;
    double pressureBars = 0;
    SpinelState spinel;
    RhombohedralState rhombohedral;
    bool valid() const { return spinel.valid && rhombohedral.valid; }
    PairOrdering ordering() const {
        return {spinel.ordering, rhombohedral.ordering, spinel.pureOrdering,
                rhombohedral.pureOrdering};
    }
};

class OxidePair {
  public:
    OxidePair(const SpinelComposition& spinel, const RhombohedralComposition& rhombohedral,
              double pressureBars);

    // Solves the ordering of both phases at T (K).
    PairState equilibrate(double temperatureK) const;
    // The same from the orderings of a nearby state (see the phases' equilibrateFrom): the
    // minimum that continues `start`, which need not be the lowest one.
    PairState equilibrateFrom(double temperatureK, const PairOrdering& start) const;
    // The check of an ordering found by continuation (equilibrateFrom): the full solve at T,
    // or with `quickly` the spinel's full solve and the rhombohedral phase's
    // equilibrateQuickly, and whether it finds the minimum that the continued solve from
    // `candidate` reaches (sameOrdering).
    struct Confirmed {
        PairState state;
        bool agrees = false;
    };
    Confirmed confirm(double temperatureK, const PairOrdering& candidate, bool quickly) const;
    // The rhombohedral phase's ordering gap at a state (RhombohedralOxide::orderingGap).
    double orderingGap(const PairState& state, const Vec3& orderedStart) const {
        return rhombohedral_.orderingGap(state.rhombohedral, orderedStart);
    }
    // True when both orderings lie inside their phase's domain.
    bool admits(const PairOrdering& ordering) const {
        return spinel_.admits(ordering.spinel) && rhombohedral_.admits(ordering.rhombohedral);
    }

    // dG of the Fe-Ti exchange at T (J/mol); NaN when an ordering state is not found.
    double feTiExchangeGibbs(double temperatureK) const;
    // dG of the Fe-Mg exchange at T (J/mol); NaN when an ordering state is not found, and
    // +-infinity or NaN when Mg is absent from a phase (the reaction is then undefined).
    double feMgExchangeGibbs(double temperatureK) const;

  private:
    SpinelOxide spinel_;
    RhombohedralOxide rhombohedral_;
    double pressure_;
};

// True when both phases of the two states have the same ordering to 1e-7 (the rhombohedral
// one also when it is the mirror image, all s negated: the same state with the layers named
// the other way round).
bool sameOrdering(const PairState& a, const PairState& b);
bool sameOrdering(const PairOrdering& a, const PairOrdering& b);

// The quantities of the reactions above at a solved state; NaN when the state is not valid.
double feTiExchangeGibbs(const PairState& state);
double feMgExchangeGibbs(const PairState& state);
// d(dG)/dT of the exchange reactions (J/(mol K)) along the equilibrium ordering of both phases:
// the standard-state slopes plus each phase's reaction slope (site_fractions.h).
double feTiExchangeSlope(const PairState& state);
double feMgExchangeSlope(const PairState& state);
// dG and its slope together (one evaluation of the standard states).
GibbsWithSlope feTiExchange(const PairState& state);
GibbsWithSlope feMgExchange(const PairState& state);
double log10OxygenFugacity(const PairState& state);
double titaniaActivity(const PairState& state);

}  // namespace kelvorad::ge08
