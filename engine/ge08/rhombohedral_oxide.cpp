#include "rhombohedral_oxide.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <span>

#include "ordering_minimiser.h"
#include "rhombohedral_oxide_data.h"

namespace kelvorad::ge08 {

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kLn2 = std::numbers::ln2;
constexpr RhombohedralParameters p = kRhombohedral;

// Cation groups of the site fractions.
enum CationGroup { kFe2, kMg, kMn, kTi, kAl, kFe3 };

// Site fractions in terms of X = (X_il, X_gk, X_py, X_cr) and s = (s_il, s_gk, s_py); the
// weights make RT sum w x ln x equal to -T S_conf without its constant.
constexpr double kLro = 1.0;                        // long-range-order sites A and B
constexpr double kMean = -2.0 * p.shortRangeOrder;  // -2 f x ln x of each mean
constexpr double kDisordered = 2.0 * (1.0 - p.shortRangeOrder);
constexpr std::array<SiteFractionForm, kRhombohedralSites> kForms = {{
    {0.0, {0.5, 0, 0, 0}, {0.5, 0, 0}, kLro, kFe2},                 // A Fe2+
    {0.0, {0, 0.5, 0, 0}, {0, 0.5, 0}, kLro, kMg},                  // A Mg
    {0.0, {0, 0, 0.5, 0}, {0, 0, 0.5}, kLro, kMn},                  // A Mn
    {0.0, {0.5, 0.5, 0.5, 0}, {-0.5, -0.5, -0.5}, kLro, kTi},       // A Ti
    {0.0, {0.5, 0, 0, 0}, {-0.5, 0, 0}, kLro, kFe2},                // B Fe2+
    {0.0, {0, 0.5, 0, 0}, {0, -0.5, 0}, kLro, kMg},                 // B Mg
    {0.0, {0, 0, 0.5, 0}, {0, 0, -0.5}, kLro, kMn},                 // B Mn
    {0.0, {0.5, 0.5, 0.5, 0}, {0.5, 0.5, 0.5}, kLro, kTi},          // B Ti
    {0.0, {0.5, 0, 0, 0}, {0, 0, 0}, kMean, kFe2},                  // mean Fe2+
    {0.0, {0, 0.5, 0, 0}, {0, 0, 0}, kMean, kMg},                   // mean Mg
    {0.0, {0, 0, 0.5, 0}, {0, 0, 0}, kMean, kMn},                   // mean Mn
    {0.0, {0.5, 0.5, 0.5, 0}, {0, 0, 0}, kMean, kTi},               // mean Ti
    {0.0, {0, 0, 0, 1.0}, {0, 0, 0}, kDisordered, kAl},             // Al
    {1.0, {-1.0, -1.0, -1.0, -1.0}, {0, 0, 0}, kDisordered, kFe3},  // Fe3+
}};

// Independent-variable index of each member (-1: hematite, the dependent one).
constexpr int kIndependentIndex[5] = {1, -1, 0, 2, 3};

std::array<bool, kRhombohedralSites> absentSlots(const Composition4& x, double hematite) {
    const bool noIl = x[0] == 0.0, noGk = x[1] == 0.0, noPy = x[2] == 0.0;
    const bool noTi = noIl && noGk && noPy;
    return {noIl, noGk, noPy, noTi, noIl, noGk,        noPy,
            noTi, noIl, noGk, noPy, noTi, x[3] == 0.0, hematite == 0.0};
}

// The interaction energies at one pressure.
struct Energies {
    double dH, ws, whm, dwhm, e, wcr, dwcr, whmcr;
    double pairX[3];  // W_kl(P) + W^T_kl, multiplying X_k X_l / 2
    double pairS[3];  // W_kl(1 bar) - W^T_kl, multiplying s_k s_l / 2
    explicit Energies(double pressure)
        : dH(p.orderingEnthalpy.at(pressure)),
          ws(p.orderingQuartic.at(pressure)),
          whm(p.hematiteK.at(pressure)),
          dwhm(p.hematiteKAsymmetry.at(pressure)),
          e(p.hematiteKAsymmetry.at(pressure) / 2.0 + p.hematiteKOrdering.at(pressure) / 4.0),
          wcr(p.corundumK.at(pressure)),
          dwcr(p.corundumKAsymmetry.at(pressure)),
          whmcr(p.hematiteCorundum.at(pressure)) {
        for (int q = 0; q < 3; ++q) {
            pairX[q] = p.pair[q].at(pressure) + p.pairOrdering[q];
            pairS[q] = p.pair[q].h - p.pairOrdering[q];
        }
    }
};

constexpr int kPairs[3][2] = {{0, 1}, {0, 2}, {1, 2}};

// H and its derivatives: d/ds, d2/ds2, d/dX_j at fixed s with X_hm dependent, and d2/dX_j ds.
struct EnthalpyTerms {
    double h = 0.0;
    Vec3 ds{};
    Mat3 dss{};
    Composition4 dx{};
    std::array<Vec3, 4> dxds{};
};

EnthalpyTerms enthalpy(const Energies& w, const Composition4& x, double hm, const Vec3& s) {
    EnthalpyTerms t;
    double dhm = 0.0;  // partial derivative with respect to X_hm
    const double xcr = x[3];
    for (int k = 0; k < 3; ++k) {
        const double xk = x[k], sk = s[k];
        const double a = w.whm + w.dwhm * (hm - xk);
        t.h += a * xk * hm;
        t.dx[k] += -w.dwhm * xk * hm + a * hm;
        dhm += w.dwhm * xk * hm + a * xk;

        const double c = w.wcr + w.dwcr * (xk - xcr);
        t.h += c * xk * xcr;
        t.dx[k] += w.dwcr * xk * xcr + c * xcr;
        t.dx[3] += -w.dwcr * xk * xcr + c * xk;

        const double q = xk * xk - sk * sk;
        const double b = w.dH + w.e * hm - w.dwcr * xcr / 2.0;
        t.h += b * q;
        t.dx[k] += 2.0 * b * xk;
        dhm += w.e * q;
        t.dx[3] += -w.dwcr / 2.0 * q;
        t.ds[k] += -2.0 * b * sk;
        t.dss[k][k] += -2.0 * b;
        // d(-2 b s_k)/dX_j with db/dX_j = -e - [j = cr] dW_cr/2 (X_hm dependent)
        for (int j = 0; j < 4; ++j) t.dxds[j][k] += 2.0 * w.e * sk;
        t.dxds[3][k] += w.dwcr * sk;

        t.h += w.ws * sk * sk * q;
        t.dx[k] += 2.0 * w.ws * sk * sk * xk;
        t.ds[k] += w.ws * (2.0 * sk * xk * xk - 4.0 * sk * sk * sk);
        t.dss[k][k] += w.ws * (2.0 * xk * xk - 12.0 * sk * sk);
        t.dxds[k][k] += 4.0 * w.ws * sk * xk;
    }
    t.h += w.whmcr * xcr * hm;
    t.dx[3] += w.whmcr * hm;
    dhm += w.whmcr * xcr;
    for (int q = 0; q < 3; ++q) {
        const int k = kPairs[q][0], l = kPairs[q][1];
        t.h += w.pairX[q] * x[k] * x[l] / 2.0 + w.pairS[q] * s[k] * s[l] / 2.0;
        t.dx[k] += w.pairX[q] * x[l] / 2.0;
        t.dx[l] += w.pairX[q] * x[k] / 2.0;
        t.ds[k] += w.pairS[q] * s[l] / 2.0;
        t.ds[l] += w.pairS[q] * s[k] / 2.0;
        t.dss[k][l] += w.pairS[q] / 2.0;
        t.dss[l][k] += w.pairS[q] / 2.0;
    }
    for (int j = 0; j < 4; ++j) t.dx[j] -= dhm;
    return t;
}

double hematiteFraction(const Composition4& x, double hematite) {
    return hematite == 0.0 ? 0.0 : 1.0 - x[0] - x[1] - x[2] - x[3];
}

}  // namespace

// G(s) at fixed T, P, X for the ordering minimiser. The enthalpy's s-dependence is
//   H(s) = H(s = 0) + sum_k [-b_k s_k^2 + W_s,k s_k^2 (X_k^2 - s_k^2)] + sum_(k,l) c_kl s_k s_l / 2
// with b_k = dH_k + (dW_hm,k/2 + W2_hm,k/4) X_hm - dW_cr,k X_cr/2 and c_kl = W_kl(1 bar) - W^T_kl,
// so everything but those terms is computed once.
class RhombohedralObjective {
  public:
    RhombohedralObjective(const RhombohedralOxide& phase, double t, double pressure)
        : phase_(phase),
          t_(t),
          pressure_(pressure),
          energies_(pressure),
          rt_(p.gasConstant * t),
          hm_(hematiteFraction(phase.x_, phase.hematite_)) {
        h0_ = enthalpy(energies_, phase_.x_, hm_, Vec3{}).h;
        for (int k = 0; k < 3; ++k) {
            b_[k] = energies_.dH + energies_.e * hm_ - energies_.dwcr * phase_.x_[3] / 2.0;
            xk2_[k] = phase_.x_[k] * phase_.x_[k];
        }
    }

    double gibbsAt(const Vec3& s) const {
        const auto x = phase_.sites_.at(s);
        const double mixing = phase_.sites_.mixingSum(x);
        if (!std::isfinite(mixing)) return kInfinity;
        return orderingEnthalpy(s) + rt_ * mixing + constant();
    }

    bool derivativesAt(const Vec3& s, double& g, Vec3& gradient, Mat3& hessian) const {
        const auto x = phase_.sites_.at(s);
        double mixing = 0.0;
        Vec3 mg{};
        Mat3 mh{};
        if (!phase_.sites_.mixingWithDerivatives(x, mixing, mg, mh)) return false;
        g = orderingEnthalpy(s) + rt_ * mixing + constant();
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 3; ++j) hessian[i][j] = rt_ * mh[i][j];
        for (int k = 0; k < 3; ++k) {
            const double sk = s[k];
            gradient[k] = rt_ * mg[k] - 2.0 * b_[k] * sk +
                          energies_.ws * (2.0 * sk * xk2_[k] - 4.0 * sk * sk * sk);
            hessian[k][k] += -2.0 * b_[k] + energies_.ws * (2.0 * xk2_[k] - 12.0 * sk * sk);
        }
        for (int q = 0; q < 3; ++q) {
            const int k = kPairs[q][0], l = kPairs[q][1];
            gradient[k] += energies_.pairS[q] * s[l] / 2.0;
            gradient[l] += energies_.pairS[q] * s[k] / 2.0;
            hessian[k][l] += energies_.pairS[q] / 2.0;
            hessian[l][k] += energies_.pairS[q] / 2.0;
        }
        return true;
    }

    double maxStep(const Vec3& s, const Vec3& step) const {
        return phase_.sites_.maxStep(phase_.sites_.at(s), step);
    }

    // -T times the constant 2 R f ln 2 of the entropy.
    double constant() const { return -2.0 * rt_ * p.shortRangeOrder * kLn2; }
    double rt() const { return rt_; }
    const std::array<bool, 3>& freeVariables() const { return phase_.free_; }
    double temperature() const { return t_; }
    double pressure() const { return pressure_; }
    const Energies& energies() const { return energies_; }
    double hematite() const { return hm_; }

  private:
    double orderingEnthalpy(const Vec3& s) const {
        double h = h0_;
        for (int k = 0; k < 3; ++k) {
            const double s2 = s[k] * s[k];
            h += -b_[k] * s2 + energies_.ws * s2 * (xk2_[k] - s2);
        }
        for (int q = 0; q < 3; ++q)
            h += energies_.pairS[q] * s[kPairs[q][0]] * s[kPairs[q][1]] / 2.0;
        return h;
    }

    const RhombohedralOxide& phase_;
    double t_, pressure_;
    Energies energies_;
    double rt_;
    double hm_;
    double h0_;
    Vec3 b_{};
    Vec3 xk2_{};
};

namespace {

// The disordered state s = 0 is stationary at every T (G is even in s). Where it is a minimum
// it is a candidate of its own: near the first-order order-disorder transition its basin is
// too small for the starts of the ordering search to find it reliably. Not a minimum: gibbs is
// +infinity.
OrderingSolution disorderedMinimum(const RhombohedralObjective& objective) {
    OrderingSolution disordered;
    double g = 0.0;
    Vec3 gradient{}, step{};
    Mat3 hessian{};
    if (objective.derivativesAt(Vec3{}, g, gradient, hessian) &&
        descentStep(hessian, gradient, objective.freeVariables(), step)) {
        disordered.gibbs = g;
        disordered.converged = disordered.minimum = true;
        disordered.hessian = hessian;
    }
    return disordered;
}

// ds/dT = -(d2G/ds2)^-1 d2G/ds dT at a minimum. At the minimum the mixing term's gradient is
// -dH/ds / RT (dG/ds = 0 over the free variables, and the enthalpy does not depend on T), so
// d2G/ds dT = R d(mixing)/ds = -dH/ds / T.
Vec3 orderingSlope(const RhombohedralObjective& objective, const OrderingSolution& minimum,
                   const Vec3& enthalpyGradient) {
    Mat3 hessian = minimum.hessian;
    if (minimum.duplicate) {
        double g = 0.0;
        Vec3 gradient{};
        hessian = {};
        objective.derivativesAt(minimum.s, g, gradient, hessian);
    }
    const double t = objective.temperature();
    const Vec3 mixed{-enthalpyGradient[0] / t, -enthalpyGradient[1] / t, -enthalpyGradient[2] / t};
    return orderingResponse(hessian, mixed, objective.freeVariables());
}

}  // namespace

RhombohedralOxide::RhombohedralOxide(const RhombohedralComposition& c)
    : x_{c.ilmenite, c.geikielite, c.pyrophanite, c.corundum},
      hematite_(c.hematite),
      free_{c.ilmenite != 0.0, c.geikielite != 0.0, c.pyrophanite != 0.0},
      sites_(kForms, x_, absentSlots(x_, c.hematite)) {}

double RhombohedralOxide::gibbs(double t, double pressure, const Vec3& ordering) const {
    return RhombohedralObjective(*this, t, pressure).gibbsAt(ordering);
}

RhombohedralState RhombohedralOxide::equilibrate(double t, double pressure) const {
    return lowestMinimum(t, pressure, false);
}

RhombohedralState RhombohedralOxide::equilibrateQuickly(double t, double pressure) const {
    return lowestMinimum(t, pressure, true);
}

RhombohedralState RhombohedralOxide::lowestMinimum(double t, double pressure,
                                                   bool firstStartOnly) const {
    if (!std::isfinite(t) || !(t > 0.0) || !std::isfinite(pressure)) return {};
    const RhombohedralObjective objective(*this, t, pressure);
    // Several starts guard against the stationary points a single Newton iteration can reach
    // (s = 0 and mixed-sign saddles at low T); the lowest minimum wins. A start that runs into a
    // minimum already found is stopped there.
    OrderingSolution best = disorderedMinimum(objective);
    std::array<Vec3, 6> found{};
    std::size_t foundCount = 0;
    if (best.minimum) found[foundCount++] = best.s;
    const Vec3 closeness{1e-4 * x_[0], 1e-4 * x_[1], 1e-4 * x_[2]};
    for (double fraction : {0.9, 0.99, 0.999999, 0.5, 0.1}) {
        const Vec3 start{fraction * x_[0], fraction * x_[1], fraction * x_[2]};
        const OrderingSolution trial = minimiseOrdering(
            objective, start, free_, std::span<const Vec3>(found.data(), foundCount), closeness);
        if (trial.minimum) {
            if (!trial.duplicate) found[foundCount++] = trial.s;
            if (trial.gibbs < best.gibbs) best = trial;
            if (firstStartOnly) break;
        }
    }
    if (!best.minimum) return {};
    return stateAt(objective, best);
}

Vec3 RhombohedralOxide::orderingFrom(double t, double pressure, const Vec3& start) const {
    constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
    if (!std::isfinite(t) || !(t > 0.0) || !std::isfinite(pressure)) return {kNaN, kNaN, kNaN};
    const RhombohedralObjective objective(*this, t, pressure);
    const OrderingSolution minimum = continuedMinimum(objective, start);
    return minimum.minimum ? minimum.s : Vec3{kNaN, kNaN, kNaN};
}

double RhombohedralOxide::orderingGap(const RhombohedralState& state,
                                      const Vec3& orderedStart) const {
    if (!state.valid) return kNaN;
    const RhombohedralObjective objective(*this, state.temperatureK, state.pressureBars);
    const double disordered = objective.gibbsAt(Vec3{});
    if (!isDisordered(state.ordering)) return state.gibbs - disordered;
    Vec3 s = orderedStart;
    for (int k = 0; k < 3; ++k)
        if (!free_[k]) s[k] = 0.0;
    s = sites_.pulledInside(s, Vec3{});
    if (!std::isfinite(objective.gibbsAt(s))) return kNaN;
    const OrderingSolution ordered = minimiseOrdering(objective, s, free_);
    return ordered.minimum && !isDisordered(ordered.s) ? ordered.gibbs - disordered : kNaN;
}

RhombohedralState RhombohedralOxide::equilibrateFrom(double t, double pressure,
                                                     const Vec3& start) const {
    if (!std::isfinite(t) || !(t > 0.0) || !std::isfinite(pressure)) return {};
    const RhombohedralObjective objective(*this, t, pressure);
    const OrderingSolution minimum = continuedMinimum(objective, start);
    return minimum.minimum ? stateAt(objective, minimum) : equilibrate(t, pressure);
}

OrderingSolution RhombohedralOxide::continuedMinimum(const RhombohedralObjective& objective,
                                                     const Vec3& start) const {
    Vec3 s = start;
    for (int k = 0; k < 3; ++k)
        if (!free_[k]) s[k] = 0.0;
    // A start from another composition may lie outside this one's domain (|s_k| < X_k).
    s = sites_.pulledInside(s, Vec3{});
    if (!std::isfinite(objective.gibbsAt(s))) return {};
    const OrderingSolution trial = minimiseOrdering(objective, s, free_);
    if (!trial.minimum) return trial;
    // Never an ordered minimum above the disordered one, which a start on the ordered side
    // cannot see (past the order-disorder transition).
    const OrderingSolution disordered = disorderedMinimum(objective);
    return disordered.gibbs < trial.gibbs ? disordered : trial;
}

RhombohedralState RhombohedralOxide::stateAt(const RhombohedralObjective& objective,
                                             const OrderingSolution& minimum) const {
    const double t = objective.temperature(), pressure = objective.pressure();
    const Vec3& s = minimum.s;
    RhombohedralState state;
    state.valid = true;
    state.forms = &kForms;
    state.rt = objective.rt();
    state.temperatureK = t;
    state.ordering = s;
    state.gibbs = minimum.gibbs;
    state.siteFraction = sites_.at(s);
    const EnthalpyTerms h = enthalpy(objective.energies(), x_, objective.hematite(), s);
    state.orderingSlope = orderingSlope(objective, minimum, h.ds);
    // The only T-dependence of the non-configurational part is the constant -2 R T f ln 2.
    const NonConfigurational nonConfig{h.h + objective.constant(), objective.constant() / t, h.dx,
                                       h.ds, h.dxds};
    state.pressureBars = pressure;
    // Geikielite and pyrophanite have the ilmenite function, corundum the hematite one.
    state.pureSlot = {2, 1, 2, 2, 1};
    state.pureGibbsOf = [](int member, double temperatureK, double pressureBars, double start,
                           double& ordering) {
        return rhombohedralPure(static_cast<RhombohedralMember>(member), temperatureK, pressureBars,
                                start, &ordering);
    };
    state.composition = x_;
    std::copy(std::begin(kIndependentIndex), std::end(kIndependentIndex),
              state.independentIndex.begin());
    state.gasConstant = p.gasConstant;
    state.nonConfigurational = nonConfig;
    return state;
}

GibbsWithSlope rhombohedralPure(RhombohedralMember m, double t, double pressure, double start,
                                double* minimiser) {
    const double rt = p.gasConstant * t;
    if (minimiser != nullptr) *minimiser = std::numeric_limits<double>::quiet_NaN();
    if (m == RhombohedralMember::hematite || m == RhombohedralMember::corundum)
        return {-2.0 * p.shortRangeOrder * rt * kLn2,
                -2.0 * p.shortRangeOrder * p.gasConstant * kLn2};
    const double dH = p.orderingEnthalpy.at(pressure);
    const double ws = p.orderingQuartic.at(pressure);
    // (1 + s) ln(1 + s) + (1 - s) ln(1 - s) - 2 ln 2, the entropy term divided by -R
    const auto mixing = [](double s) {
        return (1.0 + s) * std::log1p(s) + (1.0 - s) * std::log1p(-s) - 2.0 * kLn2;
    };
    const auto g = [&](double s) -> ScalarDerivatives {
        if (!(s > -1.0 && s < 1.0)) return {kInfinity, 0.0, 0.0};
        const double s2 = s * s;
        const double value = dH * (1.0 - s2) + ws * s2 * (1.0 - s2) + rt * mixing(s);
        const double first =
            -2.0 * dH * s + ws * (2.0 * s - 4.0 * s2 * s) + rt * (std::log1p(s) - std::log1p(-s));
        const double second = -2.0 * dH + ws * (2.0 - 12.0 * s2) + rt * 2.0 / (1.0 - s2);
        return {value, first, second};
    };
    // The symmetric function has its ordered minimum at +-s; the disordered state s = 0 is the
    // other candidate (the transition is first order).
    // On (0, 1) the ordered minimum is unique: g' = s h(s^2) with h convex, so g' changes sign
    // at most twice there. A descent from `start` that ends ordered has therefore found the
    // minimum the usual start (0.98) finds; one that slides to s = 0 is redone from 0.98.
    const double disordered = g(0.0).value;
    double s = start > 0.0 && start < 1.0 ? minimiseScalar(g, -1.0, 1.0, start) : kInfinity;
    if (!(s > 1e-6 && s < 1.0)) s = minimiseScalar(g, -1.0, 1.0, 0.98);
    const double ordered = std::isfinite(s) ? g(s).value : kInfinity;
    if (minimiser != nullptr && s > 1e-6) *minimiser = s;
    if (ordered < disordered) return {ordered, p.gasConstant * mixing(s)};
    return {disordered, p.gasConstant * mixing(0.0)};
}

double rhombohedralPureGibbs(RhombohedralMember m, double t, double pressure) {
    return rhombohedralPure(m, t, pressure).gibbs;
}

}  // namespace kelvorad::ge08
