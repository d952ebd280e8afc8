#include "spinel_oxide.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

#include "ordering_minimiser.h"
#include "spinel_oxide_data.h"

namespace kelvorad::ge08 {

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();
constexpr double kLn2 = std::numbers::ln2;
constexpr double kGasConstant = 8.3143;  // J/(mol K), as in the MELTS solution models
constexpr SpinelTaylor g = kSpinelTaylor;

// Variables z = (X2, X3, X4, X5, s1, s2, s4); the Taylor part is H = lin . z + z^T M z / 2.
struct QuadraticForm {
    double lin[7] = {};
    double m[7][7] = {};
    constexpr void add(int i, int j, double c) {
        if (i == j) {
            m[i][i] += 2.0 * c;
        } else {
            m[i][j] += c;
            m[j][i] += c;
        }
    }
};

constexpr QuadraticForm makeQuadraticForm() {
    enum { X2, X3, X4, X5, S1, S2, S4 };
    constexpr int S3 = X3;  // s3 = X3
    QuadraticForm q;
    q.lin[S1] = g.s1;
    q.lin[S2] = g.s2;
    q.lin[S3] += g.s3;
    q.lin[S4] = g.s4;
    q.add(X2, X2, g.x2x2);
    q.add(X2, X3, g.x2x3);
    q.add(X2, X4, g.x2x4);
    q.add(X2, X5, g.x2x5);
    q.add(X2, S1, g.x2s1);
    q.add(X2, S2, g.x2s2);
    q.add(X2, S3, g.x2s3);
    q.add(X2, S4, g.x2s4);
    q.add(X3, X3, g.x3x3);
    q.add(X3, X4, g.x3x4);
    q.add(X3, X5, g.x3x5);
    q.add(X3, S1, g.x3s1);
    q.add(X3, S2, g.x3s2);
    q.add(X3, S3, g.x3s3);
    q.add(X3, S4, g.x3s4);
    q.add(X4, X4, g.x4x4);
    q.add(X4, X5, g.x4x5);
    q.add(X4, S1, g.x4s1);
    q.add(X4, S2, g.x4s2);
    q.add(X4, S3, g.x4s3);
    q.add(X4, S4, g.x4s4);
    q.add(X5, X5, g.x5x5);
    q.add(X5, S1, g.x5s1);
    q.add(X5, S2, g.x5s2);
    q.add(X5, S3, g.x5s3);
    q.add(X5, S4, g.x5s4);
    q.add(S1, S1, g.s1s1);
    q.add(S1, S2, g.s1s2);
    q.add(S1, S3, g.s1s3);
    q.add(S1, S4, g.s1s4);
    q.add(S2, S2, g.s2s2);
    q.add(S2, S3, g.s2s3);
    q.add(S2, S4, g.s2s4);
    q.add(S3, S3, g.s3s3);
    q.add(S3, S4, g.s3s4);
    q.add(S4, S4, g.s4s4);
    return q;
}

constexpr QuadraticForm kTaylor = makeQuadraticForm();

// Cation groups of the site fractions.
enum CationGroup { kMg, kFe2, kAl, kFe3, kCr, kTi };

// Site fractions in X = (X2, X3, X4, X5), s = (s1, s2, s4); weights 1 (tet) and 2 (oct).
constexpr std::array<SiteFractionForm, kSpinelSites> kForms = {{
    {0.0, {0.5, 0, 0, 0}, {0.5, 0, 0}, 1.0, kMg},               // tet Mg
    {0.0, {-0.5, 1.0, 1.0, 0}, {-0.5, 1.0, 1.0}, 1.0, kFe2},    // tet Fe2+
    {1.0, {0, -1.0, -1.0, -1.0}, {0, -1.0, 0}, 1.0, kAl},       // tet Al
    {0.0, {0, 0, 0, 1.0}, {0, 0, -1.0}, 1.0, kFe3},             // tet Fe3+
    {0.0, {0.25, 0, 0, 0}, {-0.25, 0, 0}, 2.0, kMg},            // oct Mg
    {0.5, {-0.25, -0.5, 0, 0}, {0.25, -0.5, -0.5}, 2.0, kFe2},  // oct Fe2+
    {0.5, {0, -0.5, -0.5, -0.5}, {0, 0.5, 0}, 2.0, kAl},        // oct Al
    {0.0, {0, 0, 0, 0.5}, {0, 0, 0.5}, 2.0, kFe3},              // oct Fe3+
    {0.0, {0, 1.0, 0, 0}, {0, 0, 0}, 2.0, kCr},                 // oct Cr
    {0.0, {0, 0, 0.5, 0}, {0, 0, 0}, 2.0, kTi},                 // oct Ti
}};

// Independent-variable index of each member (-1: hercynite, the dependent one).
constexpr int kIndependentIndex[5] = {1, -1, 3, 0, 2};

std::array<bool, kSpinelSites> absentSlots(const Composition4& x, bool hasAluminium) {
    const bool noMg = x[0] == 0.0, noCr = x[1] == 0.0, noTi = x[2] == 0.0, noFe3 = x[3] == 0.0;
    return {noMg, false, !hasAluminium, noFe3, noMg, false, !hasAluminium, noFe3, noCr, noTi};
}

// H (Taylor part plus pressure term) and its derivatives.
struct EnthalpyTerms {
    double h = 0.0;
    Vec3 ds{};
    Mat3 dss{};
    Composition4 dx{};
    std::array<Vec3, 4> dxds{};
};

EnthalpyTerms enthalpy(const Composition4& x, const Vec3& s, double pressure) {
    const double z[7] = {x[0], x[1], x[2], x[3], s[0], s[1], s[2]};
    double gradient[7];
    EnthalpyTerms t;
    for (int i = 0; i < 7; ++i) {
        double mz = 0.0;
        for (int j = 0; j < 7; ++j) mz += kTaylor.m[i][j] * z[j];
        gradient[i] = kTaylor.lin[i] + mz;
        t.h += (kTaylor.lin[i] + 0.5 * mz) * z[i];
    }
    for (int j = 0; j < 4; ++j) {
        t.dx[j] = gradient[j];
        for (int i = 0; i < 3; ++i) t.dxds[j][i] = kTaylor.m[j][4 + i];
    }
    for (int i = 0; i < 3; ++i) {
        t.ds[i] = gradient[4 + i];
        for (int j = 0; j < 3; ++j) t.dss[i][j] = kTaylor.m[4 + i][4 + j];
    }
    // X4 X5 (WV1 X5 + WV2 X4)(P - 1)
    const double dp = pressure - 1.0;
    const double x4 = x[2], x5 = x[3];
    t.h += x4 * x5 * (kSpinelWV1 * x5 + kSpinelWV2 * x4) * dp;
    t.dx[2] += (kSpinelWV1 * x5 * x5 + 2.0 * kSpinelWV2 * x4 * x5) * dp;
    t.dx[3] += (2.0 * kSpinelWV1 * x4 * x5 + kSpinelWV2 * x4 * x4) * dp;
    return t;
}

// The non-configurational G: H plus the S55 s4 term of the entropy, -T S55 s4 (S55 is 0 in
// this parameter set), with its derivatives.
NonConfigurational nonConfigurational(const Composition4& x, const Vec3& s, double t,
                                      double pressure) {
    const EnthalpyTerms h = enthalpy(x, s, pressure);
    NonConfigurational g{h.h - t * kSpinelBase.S55 * s[2], -kSpinelBase.S55 * s[2], h.dx, h.ds,
                         h.dxds};
    g.ds[2] -= t * kSpinelBase.S55;
    return g;
}

}  // namespace

// G(s) at fixed T, P, X for the ordering minimiser. In s the Taylor part is a quadratic,
//   H(s) = H(s = 0) + (lin_s + M_sX X) . s + s^T M_ss s / 2,
// so its constant and linear coefficients are computed once.
class SpinelObjective {
  public:
    SpinelObjective(const SpinelOxide& phase, double t, double pressure)
        : phase_(phase), t_(t), pressure_(pressure), rt_(kGasConstant * t) {
        h0_ = enthalpy(phase_.x_, Vec3{}, pressure).h;
        for (int i = 0; i < 3; ++i) {
            linear_[i] = kTaylor.lin[4 + i];
            for (int j = 0; j < 4; ++j) linear_[i] += kTaylor.m[4 + i][j] * phase_.x_[j];
        }
        linear_[2] -= t_ * kSpinelBase.S55;
    }

    double gibbsAt(const Vec3& s) const {
        const auto x = phase_.sites_.at(s);
        const double mixing = phase_.sites_.mixingSum(x);
        if (!std::isfinite(mixing)) return kInfinity;
        double h = h0_;
        for (int i = 0; i < 3; ++i) {
            double ms = 0.0;
            for (int j = 0; j < 3; ++j) ms += kTaylor.m[4 + i][4 + j] * s[j];
            h += (linear_[i] + 0.5 * ms) * s[i];
        }
        return h + rt_ * mixing;
    }

    bool derivativesAt(const Vec3& s, double& value, Vec3& gradient, Mat3& hessian) const {
        const auto x = phase_.sites_.at(s);
        double mixing = 0.0;
        Vec3 mg{};
        Mat3 mh{};
        if (!phase_.sites_.mixingWithDerivatives(x, mixing, mg, mh)) return false;
        double h = h0_;
        for (int i = 0; i < 3; ++i) {
            double ms = 0.0;
            for (int j = 0; j < 3; ++j) {
                ms += kTaylor.m[4 + i][4 + j] * s[j];
                hessian[i][j] = kTaylor.m[4 + i][4 + j] + rt_ * mh[i][j];
            }
            h += (linear_[i] + 0.5 * ms) * s[i];
            gradient[i] = linear_[i] + ms + rt_ * mg[i];
        }
        value = h + rt_ * mixing;
        return true;
    }

    double maxStep(const Vec3& s, const Vec3& step) const {
        return phase_.sites_.maxStep(phase_.sites_.at(s), step);
    }

    double rt() const { return rt_; }
    double temperature() const { return t_; }
    double pressure() const { return pressure_; }

  private:
    const SpinelOxide& phase_;
    double t_, pressure_;
    double rt_;
    double h0_;
    Vec3 linear_{};
};

SpinelOxide::SpinelOxide(const SpinelComposition& c)
    : x_{c.spinel, c.chromite, c.ulvospinel, c.magnetite},
      free_{c.spinel != 0.0, c.hasAluminium, c.magnetite != 0.0},
      sites_(kForms, x_, absentSlots(x_, c.hasAluminium)) {}

double SpinelOxide::gibbs(double t, double pressure, const Vec3& ordering) const {
    return SpinelObjective(*this, t, pressure).gibbsAt(ordering);
}

SpinelState SpinelOxide::equilibrate(double t, double pressure) const {
    SpinelState state;
    if (!std::isfinite(t) || !(t > 0.0) || !std::isfinite(pressure)) return state;
    const SpinelObjective objective(*this, t, pressure);
    const OrderingSolution best = minimiseOrdering(objective, initialGuess(), free_);
    if (!best.minimum) return state;
    return stateAt(objective, best);
}

Vec3 SpinelOxide::initialGuess() const {
    // Each cation split between octahedral and tetrahedral sites in the ratio of their
    // capacities rho = 2 - 2 X3 - X4 (octahedral sites left after Cr and Ti) to 1.
    const double x2 = x_[0], x3 = x_[1], x4 = x_[2], x5 = x_[3];
    const double al = 2.0 * (1.0 - x3 - x4 - x5), fe3 = 2.0 * x5, mg = x2;
    const double rho = 2.0 - 2.0 * x3 - x4;
    const double tet = 1.0 / (1.0 + rho), oct = rho / (1.0 + rho) / 2.0;
    Vec3 start{mg * tet - 2.0 * mg * oct, al * oct - al * tet / 2.0, fe3 * oct - fe3 * tet / 2.0};
    for (int i = 0; i < 3; ++i)
        if (!free_[i]) start[i] = 0.0;
    return start;
}

SpinelState SpinelOxide::equilibrateFrom(double t, double pressure, const Vec3& start) const {
    if (!std::isfinite(t) || !(t > 0.0) || !std::isfinite(pressure)) return {};
    const SpinelObjective objective(*this, t, pressure);
    const OrderingSolution minimum = continuedMinimum(objective, start);
    return minimum.minimum ? stateAt(objective, minimum) : equilibrate(t, pressure);
}

Vec3 SpinelOxide::orderingFrom(double t, double pressure, const Vec3& start) const {
    constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
    if (!std::isfinite(t) || !(t > 0.0) || !std::isfinite(pressure)) return {kNaN, kNaN, kNaN};
    const OrderingSolution minimum = continuedMinimum(SpinelObjective(*this, t, pressure), start);
    return minimum.minimum ? minimum.s : Vec3{kNaN, kNaN, kNaN};
}

OrderingSolution SpinelOxide::continuedMinimum(const SpinelObjective& objective,
                                               const Vec3& start) const {
    Vec3 s = start;
    for (int i = 0; i < 3; ++i)
        if (!free_[i]) s[i] = 0.0;
    // A start from another composition may lie outside this one's domain.
    s = sites_.pulledInside(s, initialGuess());
    if (!std::isfinite(objective.gibbsAt(s))) return {};
    return minimiseOrdering(objective, s, free_);
}

SpinelState SpinelOxide::stateAt(const SpinelObjective& objective,
                                 const OrderingSolution& minimum) const {
    const double t = objective.temperature(), pressure = objective.pressure();
    const Vec3& s = minimum.s;
    SpinelState state;
    state.valid = true;
    state.forms = &kForms;
    state.rt = objective.rt();
    state.temperatureK = t;
    state.ordering = s;
    state.gibbs = minimum.gibbs;
    state.siteFraction = sites_.at(s);
    state.pressureBars = pressure;
    state.pureGibbsOf = [](int member, double temperatureK, double, double start,
                           double& ordering) {
        return spinelPure(static_cast<SpinelMember>(member), temperatureK, start, &ordering);
    };
    const NonConfigurational nonConfig = nonConfigurational(x_, s, t, pressure);
    // ds/dT = -(d2G/ds2)^-1 d2G/ds dT. At the minimum the mixing term's gradient is
    // -dgNonConfig/ds / RT, so d2G/ds dT = R d(mixing)/ds - S55 e4 = -dH/ds / T (the S55 terms
    // cancel).
    Mat3 hessian = minimum.hessian;
    if (minimum.duplicate) {
        double g = 0.0;
        Vec3 gradient{};
        hessian = {};
        objective.derivativesAt(s, g, gradient, hessian);
    }
    const Vec3 mixed{-nonConfig.ds[0] / t, -nonConfig.ds[1] / t,
                     -(nonConfig.ds[2] + t * kSpinelBase.S55) / t};
    state.orderingSlope = orderingResponse(hessian, mixed, free_);
    state.composition = x_;
    std::copy(std::begin(kIndependentIndex), std::end(kIndependentIndex),
              state.independentIndex.begin());
    state.gasConstant = kGasConstant;
    state.nonConfigurational = nonConfig;
    return state;
}

namespace {

// a + b s + c s^2 + RT B(s) on (0, 1) with B(s) = s ln s + 2(1-s) ln(1-s) + (1+s) ln(1+s) - 2 ln 2:
// the pure hercynite (s = s2) and magnetite (s = s4) functions. The T-derivative at the minimum is
// bSlope s + R B(s), bSlope the T-derivative of b.
// Lower bounds of the entropy terms' curvature: min over (0, 1) of 1/s + 2/(1-s) + 1/(1+s)
// is 6.5329..., min over (-1, 1) of 1/(2(1+s)) + 1/(1-s) + 1/(2(3+s)) is 1.6332...
constexpr double kInverseCurvature = 6.53;
constexpr double kSpinelCurvature = 1.633;

// The start of a one-dimensional minimisation: `warm` (e.g. the minimiser at a neighbouring T)
// where it lies in (lo, hi) and the function is convex there, its second derivative 2 c + RT
// times the entropy term's curvature being positive everywhere, so that its minimum is unique;
// otherwise the usual start.
double startOf(double warm, double lo, double hi, double c, double rt, double curvature,
               double usual) {
    return warm > lo && warm < hi && 2.0 * c + rt * curvature > 0.0 ? warm : usual;
}

GibbsWithSlope inverseSpinelMinimum(double a, double b, double bSlope, double c, double t,
                                    double start, double* minimiser) {
    const double rt = kGasConstant * t;
    const auto entropyTerm = [](double s) {
        return s * std::log(s) + 2.0 * (1.0 - s) * std::log1p(-s) + (1.0 + s) * std::log1p(s) -
               2.0 * kLn2;
    };
    const auto f = [&](double s) -> ScalarDerivatives {
        if (!(s > 0.0 && s < 1.0)) return {kInfinity, 0.0, 0.0};
        const double value = a + b * s + c * s * s + rt * entropyTerm(s);
        const double first =
            b + 2.0 * c * s + rt * (std::log(s) - 2.0 * std::log1p(-s) + std::log1p(s));
        const double second = 2.0 * c + rt * (1.0 / s + 2.0 / (1.0 - s) + 1.0 / (1.0 + s));
        return {value, first, second};
    };
    const double s = minimiseScalar(f, 0.0, 1.0, start);
    if (minimiser != nullptr) *minimiser = s;
    constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
    if (!std::isfinite(s)) return {kNaN, kNaN};
    return {f(s).value, bSlope * s + kGasConstant * entropyTerm(s)};
}

}  // namespace

GibbsWithSlope spinelPure(SpinelMember m, double t, double start, double* minimiser) {
    const double rt = kGasConstant * t;
    constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
    if (minimiser != nullptr) *minimiser = kNaN;
    switch (m) {
        case SpinelMember::chromite:
            return {g.s3 + g.x3x3 + g.x3s3 + g.s3s3, 0.0};
        case SpinelMember::ulvospinel:
            return {g.x4x4 - 2.0 * rt * kLn2, -2.0 * kGasConstant * kLn2};
        case SpinelMember::hercynite:
            return inverseSpinelMinimum(
                0.0, g.s2, 0.0, g.s2s2, t,
                startOf(start, 0.0, 1.0, g.s2s2, rt, kInverseCurvature, 0.9), minimiser);
        case SpinelMember::magnetite:
            return inverseSpinelMinimum(
                g.x5x5, g.s4 + g.x5s4 - t * kSpinelBase.S55, -kSpinelBase.S55, g.s4s4, t,
                startOf(start, 0.0, 1.0, g.s4s4, rt, kInverseCurvature, 0.1), minimiser);
        case SpinelMember::spinel: {
            // s = s1 with s2 = (1 + s)/2: the Taylor terms in s1, s2 and X2 = 1 collected.
            const double c0 = g.x2x2 + g.s2 / 2.0 + g.x2s2 / 2.0 + g.s2s2 / 4.0;
            const double c1 =
                g.s1 + g.s2 / 2.0 + g.x2s1 + g.x2s2 / 2.0 + g.s1s2 / 2.0 + g.s2s2 / 2.0;
            const double c2 = g.s1s1 + g.s1s2 / 2.0 + g.s2s2 / 4.0;
            const auto entropyTerm = [](double s) {
                return 0.5 * (1.0 + s) * std::log1p(s) + (1.0 - s) * std::log1p(-s) +
                       0.5 * (3.0 + s) * std::log(3.0 + s) - 5.0 * kLn2;
            };
            const auto f = [&](double s) -> ScalarDerivatives {
                if (!(s > -1.0 && s < 1.0)) return {kInfinity, 0.0, 0.0};
                const double value = c0 + c1 * s + c2 * s * s + rt * entropyTerm(s);
                const double first =
                    c1 + 2.0 * c2 * s +
                    rt * (0.5 * std::log1p(s) - std::log1p(-s) + 0.5 * std::log(3.0 + s));
                const double second =
                    2.0 * c2 + rt * (0.5 / (1.0 + s) + 1.0 / (1.0 - s) + 0.5 / (3.0 + s));
                return {value, first, second};
            };
            const double s = minimiseScalar(
                f, -1.0, 1.0, startOf(start, -1.0, 1.0, c2, rt, kSpinelCurvature, 0.5));
            if (minimiser != nullptr) *minimiser = s;
            if (!std::isfinite(s)) return {kNaN, kNaN};
            return {f(s).value, kGasConstant * entropyTerm(s)};
        }
    }
    return {kNaN, kNaN};
}

double spinelPureGibbs(SpinelMember m, double t) {
    return spinelPure(m, t).gibbs;
}

}  // namespace kelvorad::ge08
