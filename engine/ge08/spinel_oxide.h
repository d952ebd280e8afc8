#pragma once
// The spinel solid solution (chromite-hercynite-magnetite-spinel-ulvospinel) of Sack and
// Ghiorso (1991a, Contrib. Mineral. Petrol. 106, 474-505; 1991b, Am. Mineral.), with the
// parameters Ghiorso and Evans (2008) kept unchanged. Units: J/mol, K, bar.
//
// Composition: X2 = X_spl, X3 = X_chr, X4 = X_ulv, X5 = X_mag independent,
// X_herc = 1 - X2 - X3 - X4 - X5. Ordering variables s1, s2, s4; s3 = X3 (Cr is octahedral).
// Site fractions (one tetrahedral, two octahedral sites per AB2O4; octahedral per site):
//   Mg    tet (X2 + s1)/2                          oct (X2 - s1)/4
//   Fe2+  tet X4 - X2/2 - s1/2 + s2 + X3 + s4      oct (2 - X2 + s1 - 2 s2 - 2 X3 - 2 s4)/4
//   Al    tet 1 - X3 - X4 - X5 - s2                oct (1 - X3 - X4 - X5 + s2)/2
//   Fe3+  tet X5 - s4                              oct (X5 + s4)/2
//   Cr                                             oct X3
//   Ti                                             oct X4/2
// (Mn counts as Fe2+.) S_conf = -R [sum_tet x ln x + 2 sum_oct x ln x] + S55 s4.
// G = H - T S_conf + X4 X5 (WV1 X5 + WV2 X4)(P - 1), where H is the second-order Taylor
// expansion in (X2, X3, X4, X5, s1, s2, s4) with the coefficients of spinel_oxide_data.h.
// Chemical potentials: mu_i = mu°_i + G + sum_j (delta_ij - X_j) dG/dX_j |s - G_pure,i.

#include <array>
#include <cmath>

#include "site_fractions.h"

namespace kelvorad::ge08 {

struct SpinelComposition {
    double chromite = 0, hercynite = 0, magnetite = 0, spinel = 0, ulvospinel = 0;
    bool hasAluminium = true;  // false: every Al site fraction is exactly 0 and s2 = 0
};

// Order of the chemical potentials.
enum class SpinelMember { chromite, hercynite, magnetite, spinel, ulvospinel };

inline constexpr std::size_t kSpinelSites = 10;

// Ordering s1, s2, s4. Site-fraction slots: tet Mg, Fe2+, Al, Fe3+; oct Mg, Fe2+, Al, Fe3+, Cr,
// Ti.
using SpinelState = PhaseState<kSpinelSites, SpinelMember>;

class SpinelObjective;
struct OrderingSolution;

class SpinelOxide {
  public:
    // Mole fractions summing to 1 (hercynite may be negative). Absent components: no Mg
    // (X_spl = 0) pins s1 = 0, no Al pins s2 = 0, no Fe3+ (X_mag = 0) pins s4 = 0; their site
    // fractions are exactly 0, as are those of Cr and Ti when X_chr or X_ulv is 0.
    explicit SpinelOxide(const SpinelComposition& composition);

    // Equilibrium ordering and chemical potentials at T (K) and P (bar), from the MELTS initial
    // guess (each cation split between the sites in proportion to their capacities). valid is
    // false when no minimum is found (non-finite T or P, or an infeasible composition).
    SpinelState equilibrate(double temperatureK, double pressureBars) const;

    // The minimum reached from another start (a nearby solution, e.g. at a neighbouring T), with
    // pinned variables set to 0 and pulled into the domain from the initial guess where it lies
    // outside (a start from another composition). Falls back to equilibrate when it leads to no
    // minimum.
    SpinelState equilibrateFrom(double temperatureK, double pressureBars, const Vec3& start) const;
    // Only the ordering that equilibrateFrom reaches (NaN where it reaches no minimum).
    Vec3 orderingFrom(double temperatureK, double pressureBars, const Vec3& start) const;

    // G (J/mol) at a given ordering, +infinity outside the phase's domain.
    double gibbs(double temperatureK, double pressureBars, const Vec3& ordering) const;

    // True when the ordering lies inside the phase's domain (every site fraction positive).
    bool admits(const Vec3& ordering) const { return sites_.inside(ordering); }

  private:
    // The MELTS initial guess of the ordering (see equilibrate).
    Vec3 initialGuess() const;
    OrderingSolution continuedMinimum(const SpinelObjective& objective, const Vec3& start) const;
    SpinelState stateAt(const SpinelObjective& objective, const OrderingSolution& minimum) const;

    Composition4 x_;  // X2 spl, X3 chr, X4 ulv, X5 mag
    std::array<bool, 3> free_;
    SiteFractions<kSpinelSites> sites_;
    friend class SpinelObjective;
};

// G_pure (J/mol) of a spinel end-member in its own equilibrium ordering at T (K):
//   chromite  g_s3 + g_x3x3 + g_x3s3 + g_s3s3 (= H33 - W13), no entropy;
//   ulvospinel g_x4x4 - 2 RT ln 2;
//   hercynite  min over s in (0,1) of g_s2 s + g_s2s2 s^2 + RT [s ln s + 2(1-s) ln(1-s)
//              + (1+s) ln(1+s) - 2 ln 2]  (s = s2; Newton start 0.9);
//   magnetite  the same form in s = s4 with g_x5x5 + (h_s4 + g_x5s4) s + g_s4s4 s^2 (start 0.1);
//   spinel     the form in s = s1 with s2 = (1 + s)/2 forced (start 0.5).
// Independent of P (the pressure term needs both X4 and X5).
double spinelPureGibbs(SpinelMember m, double temperatureK);

// The same with its T-derivative, by the envelope theorem the partial derivative at the
// minimising s (R times the entropy term; chromite 0, ulvospinel -2 R ln 2).
// The minimisation starts from `start` (e.g. the minimiser at a neighbouring T; NaN: the usual
// start) only where the function is convex, so that its minimum is unique, and reports the
// minimising s in `minimiser` (NaN where there is none).
GibbsWithSlope spinelPure(SpinelMember m, double temperatureK, double start = NAN,
                          double* minimiser = nullptr);

}  // namespace kelvorad::ge08
