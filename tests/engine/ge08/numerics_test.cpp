// The root finder and the ordering minimiser on problems with known answers.

#include <gtest/gtest.h>

#include <cmath>

#include "brent_root.h"
#include "ordering_minimiser.h"

namespace kelvorad::ge08 {
namespace {

TEST(BrentRoot, FindsRootsAndReportsFailures) {
    const RootResult r = brentRoot([](double x) { return std::cos(x) - x; }, 0.0, 1.0);
    ASSERT_EQ(r.status, RootStatus::converged);
    EXPECT_NEAR(r.root, 0.7390851332151607, 1e-12);
    // A kinked, steep function (as dG(T) is at a lambda transition).
    const RootResult k = brentRoot(
        [](double x) { return x < 848.0 ? x - 900.0 : 3.0 * (x - 900.0); }, 500.0, 2500.0);
    EXPECT_NEAR(k.root, 900.0, 1e-9);

    const RootResult same = brentRoot([](double x) { return x * x + 1.0; }, -1.0, 1.0);
    EXPECT_EQ(same.status, RootStatus::noSignChange);
    EXPECT_TRUE(std::isnan(same.root));
    const RootResult nanEnd = brentRoot([](double x) { return x < 0.5 ? NAN : 1.0; }, 0.0, 1.0);
    EXPECT_EQ(nanEnd.status, RootStatus::noSignChange);
    const RootResult nanInside =
        brentRoot([](double x) { return std::abs(x) < 0.6 ? NAN : x; }, -1.0, 2.0);
    EXPECT_EQ(nanInside.status, RootStatus::notConverged);
    EXPECT_TRUE(std::isnan(nanInside.root));
}

// A symmetric double well in s1, G = -a s1^2 + b s1^4 + c (s2^2 + s4^2), on (-1, 1)^3: s = 0
// is a saddle with zero gradient, the minima are at s1 = +-sqrt(a / 2b).
struct DoubleWell {
    double a = 1.0, b = 2.0, c = 1.0;
    double gibbsAt(const Vec3& s) const {
        for (double v : s)
            if (!(v > -1.0 && v < 1.0)) return INFINITY;
        return -a * s[0] * s[0] + b * std::pow(s[0], 4) + c * (s[1] * s[1] + s[2] * s[2]);
    }
    bool derivativesAt(const Vec3& s, double& g, Vec3& grad, Mat3& hess) const {
        g = gibbsAt(s);
        grad = {-2.0 * a * s[0] + 4.0 * b * std::pow(s[0], 3), 2.0 * c * s[1], 2.0 * c * s[2]};
        hess = {{{-2.0 * a + 12.0 * b * s[0] * s[0], 0, 0}, {0, 2.0 * c, 0}, {0, 0, 2.0 * c}}};
        return std::isfinite(g);
    }
    double maxStep(const Vec3& s, const Vec3& p) const {
        double t = INFINITY;
        for (int i = 0; i < 3; ++i) {
            if (p[i] > 0) t = std::min(t, (1.0 - s[i]) / p[i]);
            if (p[i] < 0) t = std::min(t, (-1.0 - s[i]) / p[i]);
        }
        return t;
    }
};

TEST(OrderingMinimiser, LeavesSaddlesAndRespectsPinnedVariables) {
    const DoubleWell well;
    const double minimum = std::sqrt(well.a / (2.0 * well.b));
    // From the exact saddle: a plain Newton step would stay there.
    OrderingSolution s = minimiseOrdering(well, {0.0, 0.3, -0.2}, {true, true, true});
    ASSERT_TRUE(s.minimum);
    EXPECT_NEAR(std::abs(s.s[0]), minimum, 1e-12);
    EXPECT_NEAR(s.s[1], 0.0, 1e-12);
    // Near the maximum side and from beyond the minimum.
    s = minimiseOrdering(well, {0.05, 0.0, 0.0}, {true, true, true});
    EXPECT_NEAR(s.s[0], minimum, 1e-12);
    s = minimiseOrdering(well, {0.99, 0.0, 0.0}, {true, true, true});
    EXPECT_NEAR(s.s[0], minimum, 1e-12);
    // A pinned variable keeps its value.
    s = minimiseOrdering(well, {0.5, 0.25, 0.0}, {true, false, true});
    EXPECT_EQ(s.s[1], 0.25);
    // A known minimum stops a later start that reaches it.
    const Vec3 known[] = {{minimum, 0.0, 0.0}};
    s = minimiseOrdering(well, {0.5, 0.0, 0.0}, {true, true, true}, known, {1e-3, 1e-3, 1e-3});
    EXPECT_TRUE(s.duplicate);
    EXPECT_EQ(s.s[0], minimum);
}

// Non-finite curvature (a broken phase) ends the iteration at once, without a result.
struct BrokenCurvature : DoubleWell {
    mutable int evaluations = 0;
    bool derivativesAt(const Vec3& s, double& g, Vec3& grad, Mat3& hess) const {
        ++evaluations;
        DoubleWell::derivativesAt(s, g, grad, hess);
        hess[0][0] = NAN;
        return true;
    }
};

TEST(OrderingMinimiser, FailsOnNonFiniteDerivatives) {
    const BrokenCurvature broken;
    const OrderingSolution s = minimiseOrdering(broken, {0.2, 0.0, 0.0}, {true, true, true});
    EXPECT_FALSE(s.minimum);
    EXPECT_LE(broken.evaluations, 2);
}

TEST(OrderingMinimiser, ScalarMinimum) {
    // (s - 0.3)^2 + 0.01 ln-barrier-free quartic on (0, 1).
    const auto f = [](double s) -> ScalarDerivatives {
        if (!(s > 0.0 && s < 1.0)) return {INFINITY, 0, 0};
        return {std::pow(s - 0.3, 4) + (s - 0.3) * (s - 0.3),
                4.0 * std::pow(s - 0.3, 3) + 2.0 * (s - 0.3), 12.0 * std::pow(s - 0.3, 2) + 2.0};
    };
    EXPECT_NEAR(minimiseScalar(f, 0.0, 1.0, 0.95), 0.3, 1e-12);
    EXPECT_NEAR(minimiseScalar(f, 0.0, 1.0, 0.01), 0.3, 1e-12);
}

}  // namespace
}  // namespace kelvorad::ge08
