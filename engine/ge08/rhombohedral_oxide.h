#pragma once
// The rhombohedral oxide solid solution (ilmenite-hematite-geikielite-pyrophanite-corundum)
// of Ghiorso and Evans (2008, Am. J. Sci. 308, 957-1039), extending Ghiorso (1990, Contrib.
// Mineral. Petrol. 104, 645-667). Units: J/mol, K, bar.
//
// Composition: X_il, X_gk, X_py, X_cr independent, X_hm = 1 - X_il - X_gk - X_py - X_cr.
// Ordering: s_k (k = il, gk, py), -X_k < s_k < X_k, the excess of the divalent cation of end-
// member k on the A layer (and of Ti on the B layer). Fe3+ and Al are always disordered.
// Site fractions (one A and one B site per formula unit):
//   R2+ of k:  A (X_k + s_k)/2,  B (X_k - s_k)/2,  mean X_k/2
//   Ti:        A (sum X_k - sum s_k)/2,  B (sum X_k + sum s_k)/2,  mean sum X_k / 2
//   Al: X_cr, Fe3+: X_hm on both sites.
// Configurational entropy with the short-range-order factor f (0.0730205, constant):
//   S = -R sum_{Fe2+,Mg,Mn,Ti} [x_A ln x_A + x_B ln x_B - 2 x ln x]
//       - 2R (1 - f) sum_{all six} x ln x + 2 R f ln 2
// Enthalpy, W(P) = W_H + (P - 1) W_V:
//   H = sum_k [W_hm,k + dW_hm,k (X_hm - X_k)] X_k X_hm + W_hm,cr X_cr X_hm
//     + sum_(k,l) [(W_kl + W^T_kl) X_k X_l / 2 + (W_kl(1 bar) - W^T_kl) s_k s_l / 2]
//     + sum_k [W_cr,k + dW_cr,k (X_k - X_cr)] X_k X_cr
//     + sum_k [dH_k + (dW_hm,k / 2 + W2_hm,k / 4) X_hm - dW_cr,k X_cr / 2] (X_k^2 - s_k^2)
//     + sum_k W_s,k s_k^2 (X_k^2 - s_k^2)
// G = H - T S. Chemical potentials, at the equilibrium ordering (dG/ds = 0):
//   mu_i = mu°_i + G + sum_j (delta_ij - X_j) dG/dX_j |s - G_pure,i
// where G_pure,i is the model's G of pure i in its own equilibrium ordering (the standard
// states are for the ordered pure phases).

#include <array>
#include <cmath>

#include "site_fractions.h"

namespace kelvorad::ge08 {

struct RhombohedralComposition {
    double geikielite = 0, hematite = 0, ilmenite = 0, pyrophanite = 0, corundum = 0;
};

// Order of the chemical potentials.
enum class RhombohedralMember { geikielite, hematite, ilmenite, pyrophanite, corundum };

inline constexpr std::size_t kRhombohedralSites = 14;

// Ordering s_il, s_gk, s_py. Site-fraction slots: A-site Fe2+, Mg, Mn, Ti; B-site Fe2+, Mg, Mn,
// Ti; means Fe2+, Mg, Mn, Ti; Al; Fe3+.
using RhombohedralState = PhaseState<kRhombohedralSites, RhombohedralMember>;

// True for the disordered state (every |s_k| below 1e-6).
inline bool isDisordered(const Vec3& s) {
    return std::abs(s[0]) < 1e-6 && std::abs(s[1]) < 1e-6 && std::abs(s[2]) < 1e-6;
}

class RhombohedralObjective;
struct OrderingSolution;

class RhombohedralOxide {
  public:
    // Mole fractions summing to 1. An end-member with fraction exactly 0 is absent: its site
    // fractions are held at 0 and its ordering variable at 0.
    explicit RhombohedralOxide(const RhombohedralComposition& composition);

    // Equilibrium ordering and chemical potentials at T (K) and P (bar). The ordering is the
    // lowest-G minimum among the disordered state s = 0 (where it is a minimum) and the minima
    // reached from starts s = (0.9, 0.99, 0.999999, 0.5, 0.1) X. If none is found (non-finite T
    // or P, or an infeasible composition), valid is false.
    RhombohedralState equilibrate(double temperatureK, double pressureBars) const;

    // A quicker, reduced form of equilibrate: the lowest of the disordered state and the
    // minimum from its first start (0.9 X), from which equilibrate's lowest minimum comes in
    // practice; the other starts run only if that one finds no minimum.
    RhombohedralState equilibrateQuickly(double temperatureK, double pressureBars) const;

    // The minimum reached from one start (a nearby solution, e.g. at a neighbouring T), with
    // pinned variables set to 0 and pulled into the domain from s = 0 where it lies outside (a
    // start from another composition), or the disordered state s = 0 where that is a lower
    // minimum: cheaper than equilibrate, but it need not be the lowest minimum. Falls back to
    // equilibrate when the start leads to no minimum.
    RhombohedralState equilibrateFrom(double temperatureK, double pressureBars,
                                      const Vec3& start) const;
    // Only the ordering that equilibrateFrom reaches (NaN where it reaches no minimum).
    Vec3 orderingFrom(double temperatureK, double pressureBars, const Vec3& start) const;

    // G of the ordered minimum minus G of the disordered state s = 0 (J/mol) at T and P: from
    // the state itself where it is ordered, else from the ordered minimum reached from
    // `orderedStart` (NaN where there is none). It changes sign at the first-order
    // order-disorder transition, where it is smooth while the phase's G has a kink.
    double orderingGap(const RhombohedralState& state, const Vec3& orderedStart) const;

    // G (J/mol) at a given ordering, +infinity outside the phase's domain.
    double gibbs(double temperatureK, double pressureBars, const Vec3& ordering) const;

    // True when the ordering lies inside the phase's domain (every site fraction positive).
    bool admits(const Vec3& ordering) const { return sites_.inside(ordering); }

  private:
    // The lowest of the minima of equilibrate, or of equilibrateQuickly.
    RhombohedralState lowestMinimum(double temperatureK, double pressureBars,
                                    bool firstStartOnly) const;
    OrderingSolution continuedMinimum(const RhombohedralObjective& objective,
                                      const Vec3& start) const;
    RhombohedralState stateAt(const RhombohedralObjective& objective,
                              const OrderingSolution& minimum) const;

    Composition4 x_;  // X_il, X_gk, X_py, X_cr
    double hematite_;
    std::array<bool, 3> free_;
    SiteFractions<kRhombohedralSites> sites_;
    friend class RhombohedralObjective;
};

// G_pure (J/mol) of an end-member in its own equilibrium state at T (K), P (bar):
//   il, gk, py: min over 0 <= s < 1 of dH(P)(1 - s^2) + W_s(P) s^2 (1 - s^2)
//               + RT [(1 + s) ln(1 + s) + (1 - s) ln(1 - s) - 2 ln 2];
//   hm, cr: -2 f R T ln 2.
double rhombohedralPureGibbs(RhombohedralMember m, double temperatureK, double pressureBars);

// The same with its T-derivative, by the envelope theorem the partial derivative at the
// minimising s: R times the entropy term [(1 + s) ln(1 + s) + (1 - s) ln(1 - s) - 2 ln 2]
// (il, gk, py), -2 f R ln 2 (hm, cr).
// The minimisation may start from `start` (e.g. the ordering at a neighbouring T; NaN: the
// usual start), and reports the ordered minimum's s in `minimiser` (NaN where there is none).
GibbsWithSlope rhombohedralPure(RhombohedralMember m, double temperatureK, double pressureBars,
                                double start = NAN, double* minimiser = nullptr);

}  // namespace kelvorad::ge08
