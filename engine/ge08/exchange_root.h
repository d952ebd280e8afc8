#pragma once
// The temperature of an exchange reaction between the spinel and the rhombohedral oxide of a
// pair: the root of its dG(T) (J/mol) between two temperatures where dG has opposite signs.
//
// Newton's method with the analytic slope d(dG)/dT along the equilibrium ordering
// (oxide_pair.h), safeguarded as in Press et al. (Numerical Recipes, rtsafe): the bracket
// shrinks with every evaluation, and a step that would leave it, or that does not at least
// halve the step before last, is replaced by bisection. dG(T) is smooth but for the kinks at the
// lambda transitions of magnetite and hematite, where the bisection steps take over, and for a
// jump where the ilmenite's lowest minimum changes between ordered and disordered (the first-
// order transition): there the root is the jump, located by regula falsi on the phase's
// ordering gap. The root is a temperature where the Newton correction is below 1e-8 K, and the
// state returned with it is the state at that T; at a jump, a point within 1e-8 K of it. If dG
// is NaN inside the bracket, or infinite at an end, the root is left to Brent's method
// (brent_root.h).

#include <cmath>

#include "brent_root.h"
#include "oxide_pair.h"

namespace kelvorad::ge08 {

enum class Exchange {
    feTi,  // FeTiO3 + Fe3O4 = Fe2TiO4 + Fe2O3, the thermometer
    feMg,  // FeAl2O4 + MgTiO3 = MgAl2O4 + FeTiO3
};

// dG (J/mol), and with it d(dG)/dT (J/(mol K)), of the reaction at a solved state; NaN when the
// state is not valid.
double exchangeGibbs(Exchange reaction, const PairState& state);
GibbsWithSlope exchangeGibbsAndSlope(Exchange reaction, const PairState& state);

// How a root found with continued ordering solves is confirmed (OxidePair::confirm): by the full
// ordering solve of both phases, or with the rhombohedral phase's reduced multi-start.
enum class Confirmation { full, quick };

struct ExchangeRoot {
    RootStatus status = RootStatus::noSignChange;
    PairState state;      // both phases at the root (valid only when converged)
    int evaluations = 0;  // pair ordering solves spent inside the bracket
};

// The root between the solved end states `lower` and `upper` (lower.temperatureK <
// upper.temperatureK). noSignChange when dG is NaN at an end or has the same sign at both; an
// infinite end value with a sign change leaves the whole search to Brent's method. guessK is
// the first temperature tried if it lies inside the bracket; otherwise the secant of the ends
// gives it.
//
// The ordering solves inside the bracket continue from the previous one (the first from
// `start` when given, e.g. the solution of a similar pair, else from the nearer end), which is
// cheap but may follow a minimum that is not the lowest. Once the Newton correction is below
// 1e-4 K, the next Newton point is solved by the confirming solve (see Confirmation), which
// must find the ordering the continuation finds there and gives the root; at a jump of dG both
// sides are confirmed 1e-6 K away from it. Otherwise the search is repeated with full solves.
ExchangeRoot solveExchange(const OxidePair& pair, Exchange reaction, const PairState& lower,
                           const PairState& upper, double guessK = NAN,
                           const PairOrdering* start = nullptr,
                           Confirmation confirmation = Confirmation::full);

}  // namespace kelvorad::ge08
