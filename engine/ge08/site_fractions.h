#pragma once
// Site fractions that are affine in the composition and ordering variables, the ideal
// configurational term built on them, and chemical potentials kept split into a regular part
// and ln(site fraction) terms.
//
// Both solution models of the Ghiorso and Evans (2008) two-oxide model write every site
// fraction as x_k = a_k + b_k . X + d_k . s (X: four independent mole fractions, s: three
// ordering variables) and their configurational Gibbs energy as RT sum_k w_k x_k ln x_k
// (w_k: site multiplicity, or a short-range-order weight). The chemical potential of
// end-member i, mu_i = G + sum_j (delta_ij - X_j) dG/dX_j at fixed s, then contributes
//   RT sum_k w_k [ (lambda_ik - x_k) + lambda_ik ln x_k ],   lambda_ik = a_k + b_ki + d_k . s,
// where b_ki is 0 for the dependent end-member.
//
// A site fraction of a cation that is absent from the analysis is exactly 0, with 0 ln 0 = 0.
// The potential of an end-member that needs that cation is then -infinity, and a reaction stays
// finite only if the ln coefficients of that site fraction cancel across it. So a reaction sum
// first adds, per site fraction, the ln coefficients of all its terms, and evaluates ln x only
// where the summed coefficient is not 0.

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <limits>
#include <optional>

#include "gibbs_with_slope.h"

namespace kelvorad::ge08 {

using Vec3 = std::array<double, 3>;
using Mat3 = std::array<Vec3, 3>;
using Composition4 = std::array<double, 4>;

// x = constant + perX . X + perS . s, entering G as RT * weight * x ln x. Slots of the same
// cation share a group (they vanish together when the cation is absent).
struct SiteFractionForm {
    double constant;
    Composition4 perX;
    Vec3 perS;
    double weight;
    int group;
};

// mu_i - mu°_i = regular + RT * sum_k lnCoefficient[k] * ln x_k (J/mol; lnCoefficient is
// dimensionless). For the temperature derivative along the equilibrium ordering, the partial
// derivatives of `regular` at fixed ordering are kept too.
template <std::size_t N>
struct SplitPotential {
    double regular = 0.0;
    std::array<double, N> lnCoefficient{};
    double regularSlope = 0.0;  // d regular / dT at fixed s (J/(mol K))
    Vec3 regularGradient{};     // d regular / ds at fixed T (J/mol)
};

// The part of a phase's G that is not the ideal configurational term RT sum w x ln x, at fixed
// composition and ordering, with the derivatives the chemical potentials and their temperature
// derivatives need.
struct NonConfigurational {
    double gibbs = 0.0;          // J/mol
    double slope = 0.0;          // d/dT at fixed X and s (J/(mol K))
    Composition4 dx{};           // d/dX_j at fixed s
    Vec3 ds{};                   // d/ds at fixed X
    std::array<Vec3, 4> dxds{};  // d2/dX_j ds
};

// The site fractions of one phase at a fixed composition.
template <std::size_t N>
class SiteFractions {
  public:
    using Fractions = std::array<double, N>;

    // absent[k]: slot k belongs to a cation absent from the analysis; it is held at exactly 0.
    // Its form must depend only on ordering variables that are pinned at 0.
    SiteFractions(const std::array<SiteFractionForm, N>& forms, const Composition4& x,
                  const std::array<bool, N>& absent)
        : forms_(forms), x_(x), absent_(absent) {
        for (std::size_t k = 0; k < N; ++k) {
            const SiteFractionForm& f = forms_[k];
            base_[k] = f.constant + f.perX[0] * x[0] + f.perX[1] * x[1] + f.perX[2] * x[2] +
                       f.perX[3] * x[3];
            ordered_[k] = !absent_[k] && (f.perS[0] != 0.0 || f.perS[1] != 0.0 || f.perS[2] != 0.0);
            // Slots that do not depend on s contribute a constant, computed once.
            if (!absent_[k] && !ordered_[k]) {
                if (base_[k] > 0.0)
                    fixedSum_ += f.weight * base_[k] * std::log(base_[k]);
                else
                    fixedSum_ = std::numeric_limits<double>::infinity();
            }
        }
    }

    Fractions at(const Vec3& s) const {
        Fractions out;
        for (std::size_t k = 0; k < N; ++k) {
            const Vec3& d = forms_[k].perS;
            out[k] = absent_[k] ? 0.0 : base_[k] + d[0] * s[0] + d[1] * s[1] + d[2] * s[2];
        }
        return out;
    }

    // sum_k w_k x_k ln x_k with 0 ln 0 = 0 for absent slots; +infinity when a present slot is
    // not positive (outside the phase's domain).
    double mixingSum(const Fractions& x) const {
        double sum = fixedSum_;
        for (std::size_t k = 0; k < N; ++k) {
            if (!ordered_[k]) continue;
            if (!(x[k] > 0.0)) return std::numeric_limits<double>::infinity();
            sum += forms_[k].weight * x[k] * std::log(x[k]);
        }
        return sum;
    }

    // mixingSum and its first and second derivatives with respect to s, in one pass; false
    // when a present slot is not positive.
    bool mixingWithDerivatives(const Fractions& x, double& sum, Vec3& gradient,
                               Mat3& hessian) const {
        sum = fixedSum_;
        if (!std::isfinite(sum)) return false;
        for (std::size_t k = 0; k < N; ++k) {
            if (!ordered_[k]) continue;
            if (!(x[k] > 0.0)) return false;
            const Vec3& d = forms_[k].perS;
            const double w = forms_[k].weight;
            const double lnX = std::log(x[k]);
            sum += w * x[k] * lnX;
            const double g = w * (lnX + 1.0);
            const double h = w / x[k];
            for (int i = 0; i < 3; ++i) {
                if (d[i] == 0.0) continue;
                gradient[i] += g * d[i];
                for (int j = 0; j < 3; ++j) hessian[i][j] += h * d[i] * d[j];
            }
        }
        return true;
    }

    // True when every present slot that depends on s is positive at s (inside the domain).
    bool inside(const Vec3& s) const {
        for (std::size_t k = 0; k < N; ++k) {
            if (!ordered_[k]) continue;
            const Vec3& d = forms_[k].perS;
            if (!(base_[k] + d[0] * s[0] + d[1] * s[1] + d[2] * s[2] > 0.0)) return false;
        }
        return true;
    }

    // s where it lies inside the domain; otherwise the point 99 % of the way from `inside`
    // (a point inside) towards s where the domain ends, or `inside` itself when s is not finite.
    Vec3 pulledInside(const Vec3& s, const Vec3& inside) const {
        if (this->inside(s)) return s;
        const Vec3 p{s[0] - inside[0], s[1] - inside[1], s[2] - inside[2]};
        const double t = std::min(1.0, 0.99 * maxStep(at(inside), p));
        const Vec3 pulled{inside[0] + t * p[0], inside[1] + t * p[1], inside[2] + t * p[2]};
        return this->inside(pulled) ? pulled : inside;
    }

    // Largest t such that every present slot stays positive along s + t p (infinity if none
    // decreases).
    double maxStep(const Fractions& x, const Vec3& p) const {
        double t = std::numeric_limits<double>::infinity();
        for (std::size_t k = 0; k < N; ++k) {
            if (!ordered_[k]) continue;
            const Vec3& d = forms_[k].perS;
            const double rate = d[0] * p[0] + d[1] * p[1] + d[2] * p[2];
            if (rate < 0.0) t = std::min(t, x[k] / -rate);
        }
        return t;
    }

  private:
    std::array<SiteFractionForm, N> forms_;
    Composition4 x_;
    std::array<bool, N> absent_;
    std::array<bool, N> ordered_{};  // present and dependent on s
    Fractions base_{};
    double fixedSum_ = 0.0;  // sum of w x ln x over the present slots that do not depend on s
};

// mu_i - mu°_i + G_pure,i of end-member i (independent index 0..3, or -1 for the dependent one)
// of a phase with site fractions `forms` and composition x, at the equilibrium ordering s and
// temperature t: the non-configurational G of the solution plus sum_j (delta_ij - X_j) d/dX_j
// of it, plus the configurational terms (gas constant r). The end-member's pure-phase G is left
// to the caller. The configurational terms are RT sum_k w_k [(lambda_ik - x_k) + lambda_ik ln
// x_k], lambda_ik = a_k + b_ki + d_k . s, and lambda_ik - x_k = sum_j (delta_ij - X_j) b_kj does
// not depend on s.
template <std::size_t N>
SplitPotential<N> splitPotential(const std::array<SiteFractionForm, N>& forms,
                                 const Composition4& x, int i, const Vec3& s, double t, double r,
                                 const NonConfigurational& nonConfig) {
    SplitPotential<N> mu;
    mu.regular = nonConfig.gibbs;
    mu.regularSlope = nonConfig.slope;
    mu.regularGradient = nonConfig.ds;
    for (int j = 0; j < 4; ++j) {
        const double c = (i == j ? 1.0 : 0.0) - x[j];
        mu.regular += c * nonConfig.dx[j];
        for (int m = 0; m < 3; ++m) mu.regularGradient[m] += c * nonConfig.dxds[j][m];
    }
    double configurational = 0.0;  // sum_k w_k (lambda_ik - x_k)
    for (std::size_t k = 0; k < N; ++k) {
        const SiteFractionForm& f = forms[k];
        double lambdaMinusX = 0.0;
        for (int j = 0; j < 4; ++j) lambdaMinusX += ((i == j ? 1.0 : 0.0) - x[j]) * f.perX[j];
        const double lambda = f.constant + (i >= 0 ? f.perX[i] : 0.0) + f.perS[0] * s[0] +
                              f.perS[1] * s[1] + f.perS[2] * s[2];
        configurational += f.weight * lambdaMinusX;
        mu.lnCoefficient[k] = f.weight * lambda;
    }
    mu.regular += r * t * configurational;
    mu.regularSlope += r * configurational;
    return mu;
}

// The equilibrium state of one solution phase at fixed T, P and composition. Some of its terms
// are found on first use and kept (mutable caches), so one state must not be read by several
// threads at once; every solve makes its own states. Member is the
// phase's enumeration of its five end-members, in the order of `potential`.
template <std::size_t N, class Member>
struct PhaseState {
    bool valid = false;  // an ordering minimum was found
    double rt = 0;       // R T with R = 8.3143 J/(mol K)
    double temperatureK = 0;
    Vec3 ordering{};       // the three ordering variables
    Vec3 orderingSlope{};  // their T-derivative along the equilibrium, ds/dT (1/K)
    double gibbs = 0;      // G of the solution (J/mol)
    std::array<double, N> siteFraction{};
    const std::array<SiteFractionForm, N>* forms = nullptr;

    // mu - mu° + G_pure of each member (splitPotential), found on first use (a reaction uses
    // only some members) from the composition and the non-configurational G, and then kept.
    Composition4 composition{};
    std::array<int, 5> independentIndex{};  // of each member; -1 for the dependent one
    double gasConstant = 0;
    NonConfigurational nonConfigurational;
    mutable std::array<std::optional<SplitPotential<N>>, 5> potentials{};

    const SplitPotential<N>& potential(std::size_t member) const {
        std::optional<SplitPotential<N>>& mu = potentials[member];
        if (!mu) {
            mu = splitPotential(*forms, composition, independentIndex[member], ordering,
                                temperatureK, gasConstant, nonConfigurational);
        }
        return *mu;
    }

    // G_pure of each member (in its own equilibrium ordering) with its T-derivative, the last
    // term of mu - mu°: found on first use by pureGibbsOf (most need a one-dimensional
    // minimisation, and a reaction uses only some members) and then kept, with the minimising
    // ordering (NaN where there is none). Members with the same pure-phase function share a
    // slot. The minimisation starts from pureStart where that is given (not NaN), e.g. the
    // ordering at a neighbouring temperature.
    using PureGibbsFunction = GibbsWithSlope (*)(int member, double temperatureK,
                                                 double pressureBars, double start,
                                                 double& ordering);
    PureGibbsFunction pureGibbsOf = nullptr;
    double pressureBars = 0;
    std::array<std::size_t, 5> pureSlot{0, 1, 2, 3, 4};
    std::array<double, 5> pureStart = filledWithNaN();  // by slot
    mutable std::array<std::optional<GibbsWithSlope>, 5> pureGibbs{};
    mutable std::array<double, 5> pureOrdering = filledWithNaN();  // by slot

    const GibbsWithSlope& pure(std::size_t member) const {
        const std::size_t slot = pureSlot[member];
        std::optional<GibbsWithSlope>& g = pureGibbs[slot];
        if (!g) {
            g = pureGibbsOf(static_cast<int>(member), temperatureK, pressureBars, pureStart[slot],
                            pureOrdering[slot]);
        }
        return *g;
    }

    static constexpr std::array<double, 5> filledWithNaN() {
        constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
        return {kNaN, kNaN, kNaN, kNaN, kNaN};
    }

    // mu - mu° of one end-member (J/mol); -infinity for an end-member that needs an absent
    // cation; NaN for a state that is not valid.
    double chemicalPotential(Member m) const {
        std::array<double, 5> nu{};
        nu[static_cast<std::size_t>(m)] = 1.0;
        return reactionSum(nu);
    }

    // sum_i nu_i (mu_i - mu°_i), ln terms summed over the reaction first (J/mol); NaN for a
    // state that is not valid. See reaction.
    double reactionSum(const std::array<double, 5>& nu) const { return reaction(nu).gibbs; }

    // Its derivative along the equilibrium ordering (J/(mol K)); see reaction.
    double reactionSlope(const std::array<double, 5>& nu) const { return reaction(nu).slope; }

    // sum_i nu_i (mu_i - mu°_i) (J/mol) and its T-derivative along the equilibrium ordering.
    //
    // The ln coefficients of each site fraction are summed over the reaction first; a site
    // fraction whose summed coefficient is exactly 0 drops out. The site fractions of an absent
    // cation (exactly 0) vanish together, so their summed coefficients are added up per cation:
    // a positive total gives -infinity, a negative one +infinity; a total of 0 with non-zero
    // parts has a limit that depends on how the fractions vanish, and gives NaN (undefined), as
    // do opposite infinities.
    //
    // The slope, with R = sum_i nu_i regular_i + RT sum_k C_k ln x_k, C_k = sum_i nu_i
    // lnCoefficient_ik and dC_k/ds = (sum_i nu_i) w_k d_k, is dR/dT|s + dR/ds . ds/dT; the
    // site fractions held at 0 are left out of it (where the sum is finite their terms cancel).
    // Both NaN for a state that is not valid.
    GibbsWithSlope reaction(const std::array<double, 5>& nu) const {
        constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
        if (!valid || forms == nullptr) return {kNaN, kNaN};
        double sum = 0.0, atFixedOrdering = 0.0, nuSum = 0.0;
        Vec3 gradient{};
        std::array<const SplitPotential<N>*, 5> mu{};
        for (std::size_t i = 0; i < 5; ++i) {
            if (nu[i] == 0.0) continue;
            mu[i] = &potential(i);
            nuSum += nu[i];
            sum += nu[i] * mu[i]->regular;
            atFixedOrdering += nu[i] * (mu[i]->regularSlope - pure(i).slope);
            for (int m = 0; m < 3; ++m) gradient[m] += nu[i] * mu[i]->regularGradient[m];
        }
        std::array<double, N> absentTotal{};  // by cation group
        std::array<bool, N> absentUsed{};
        const double r = rt / temperatureK;
        for (std::size_t k = 0; k < N; ++k) {
            double c = 0.0;
            for (std::size_t i = 0; i < 5; ++i)
                if (nu[i] != 0.0) c += nu[i] * mu[i]->lnCoefficient[k];
            const double x = siteFraction[k];
            const SiteFractionForm& f = (*forms)[k];
            if (x == 0.0) {
                if (c == 0.0) continue;
                const auto g = static_cast<std::size_t>(f.group);
                absentTotal[g] += c;
                absentUsed[g] = true;
                continue;
            }
            const double lnX = std::log(x);
            if (c != 0.0) sum += rt * c * lnX;
            atFixedOrdering += r * c * lnX;
            for (int m = 0; m < 3; ++m)
                gradient[m] += rt * f.perS[m] * (nuSum * f.weight * lnX + c / x);
        }
        for (std::size_t g = 0; g < N; ++g) {
            if (!absentUsed[g]) continue;
            if (absentTotal[g] == 0.0) {
                sum = kNaN;
                break;
            }
            sum += absentTotal[g] > 0.0 ? -std::numeric_limits<double>::infinity()
                                        : std::numeric_limits<double>::infinity();
        }
        for (std::size_t i = 0; i < 5; ++i)
            if (nu[i] != 0.0) sum -= nu[i] * pure(i).gibbs;
        return {sum, atFixedOrdering + gradient[0] * orderingSlope[0] +
                         gradient[1] * orderingSlope[1] + gradient[2] * orderingSlope[2]};
    }
};

}  // namespace kelvorad::ge08
