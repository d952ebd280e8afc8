#pragma once
// Minimisation of a solution phase's Gibbs energy over its ordering variables at fixed T, P
// and composition: the homogeneous-equilibrium ordering state.
//
// A plain Newton iteration on dG/ds = 0 can stop at a maximum or a saddle (the rhombohedral
// model is symmetric under s -> -s, so s = 0 is always stationary). This minimiser is a
// descent method instead: Newton steps where the Hessian is positive definite, steps on the
// Hessian shifted past its most negative eigenvalue where it is not, each shortened to keep
// every site fraction positive and to decrease G (Armijo backtracking). A result counts as a
// minimum only if the Hessian is positive definite there.

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <span>

#include "site_fractions.h"

namespace kelvorad::ge08 {

struct OrderingSolution {
    Vec3 s{};
    double gibbs = std::numeric_limits<double>::infinity();
    bool converged = false;  // the Newton step fell below the tolerance
    bool minimum = false;    // ... at a point where the Hessian is positive definite
    bool duplicate = false;  // stopped on entering one of the known minima (s is that minimum)
    Mat3 hessian{};          // d2G/ds2 at s (not for a duplicate)
};

// The step p of one iteration for the free variables (pinned ones get p = 0): the Newton step
// -H^-1 g where H is positive definite (returns true), otherwise the step on H + shift I with
// the shift 1.5 times the magnitude of H's most negative eigenvalue, or a step along that
// eigenvalue's eigenvector at a saddle (returns false). A non-finite H or g gives p = NaN.
bool descentStep(const Mat3& hessian, const Vec3& gradient, const std::array<bool, 3>& free,
                 Vec3& step);

// The response of a minimum to a parameter: -H^-1 b over the free variables (0 for pinned
// ones), where b is d(dG/ds)/d(parameter); NaN when H is not positive definite there. With b =
// d2G/ds dT this is ds/dT.
Vec3 orderingResponse(const Mat3& hessian, const Vec3& mixedDerivative,
                      const std::array<bool, 3>& free);

// Phase must provide
//   double gibbsAt(const Vec3& s) const;        // G (J/mol), +infinity outside the domain
//   bool derivativesAt(const Vec3& s, double& g, Vec3& grad, Mat3& hess) const;
//   double maxStep(const Vec3& s, const Vec3& p) const;  // largest t keeping the domain
// Starts at `start` (which must lie inside the domain); pinned variables keep their start
// values. Up to 200 iterations. When an iterate comes within `closeness` (per variable) of one
// of the `known` minima with a Newton step, the iteration stops and returns that minimum,
// flagged as a duplicate.
template <class Phase>
OrderingSolution minimiseOrdering(const Phase& phase, Vec3 s, const std::array<bool, 3>& free,
                                  std::span<const Vec3> known = {}, const Vec3& closeness = {}) {
    OrderingSolution result;
    double g = 0.0;
    Vec3 gradient{};
    Mat3 hessian{};
    if (!phase.derivativesAt(s, g, gradient, hessian)) return result;
    for (int iteration = 0; iteration < 200; ++iteration) {
        Vec3 p{};
        const bool convex = descentStep(hessian, gradient, free, p);
        const double stepSize = std::max({std::abs(p[0]), std::abs(p[1]), std::abs(p[2])});
        const double tMax = phase.maxStep(s, p);
        double t = tMax > 1.0 ? 1.0 : 0.9 * tMax;
        if (!std::isfinite(stepSize) || !(t > 0.0)) return result;
        const bool newtonStep = convex && t == 1.0;
        if (convex) {
            for (const Vec3& m : known) {
                if (std::abs(s[0] - m[0]) <= closeness[0] &&
                    std::abs(s[1] - m[1]) <= closeness[1] &&
                    std::abs(s[2] - m[2]) <= closeness[2]) {
                    result.s = m;
                    result.gibbs = phase.gibbsAt(m);
                    result.converged = result.minimum = result.duplicate = true;
                    return result;
                }
            }
        }
        if (newtonStep && stepSize < 1e-11) {
            // Converged: the last Newton correction is below round-off in G's minimiser.
            for (int i = 0; i < 3; ++i) s[i] += p[i];
            result.converged = true;
            break;
        }
        // Close to the solution a full Newton step is taken as it is: G changes there by less
        // than its round-off, so a decrease test would reject good steps.
        const bool test = !(newtonStep && stepSize < 1e-7);
        const double slope = gradient[0] * p[0] + gradient[1] * p[1] + gradient[2] * p[2];
        const double g0 = g;
        Vec3 trial{s[0] + t * p[0], s[1] + t * p[1], s[2] + t * p[2]};
        bool evaluated = phase.derivativesAt(trial, g, gradient, hessian);
        if (test && !(evaluated && g <= g0 + 1e-4 * t * slope)) {
            for (int halvings = 0;; ++halvings) {
                if (halvings == 60) return result;
                t *= 0.5;
                trial = {s[0] + t * p[0], s[1] + t * p[1], s[2] + t * p[2]};
                if (phase.gibbsAt(trial) <= g0 + 1e-4 * t * slope) break;
            }
            evaluated = phase.derivativesAt(trial, g, gradient, hessian);
        }
        if (!evaluated) return result;
        s = trial;
    }
    result.s = s;
    result.gibbs = phase.gibbsAt(s);
    if (result.converged) {
        // A minimum only where the Hessian itself is positive definite.
        Vec3 p{};
        result.minimum =
            phase.derivativesAt(s, g, gradient, hessian) && descentStep(hessian, gradient, free, p);
        result.hessian = hessian;
    }
    return result;
}

// Minimises a function of one variable on the open interval (lo, hi) from `start`. f(s) returns
// {value, first derivative, second derivative}, with value +infinity outside the domain.
// Returns the minimiser, or NaN if the iteration fails.
struct ScalarDerivatives {
    double value, first, second;
};

template <class F>
double minimiseScalar(F f, double lo, double hi, double s) {
    ScalarDerivatives d = f(s);
    for (int iteration = 0; iteration < 200; ++iteration) {
        if (!std::isfinite(d.value) || !std::isfinite(d.first)) break;
        double p;
        const bool newton = d.second > 0.0;
        if (newton) {
            p = -d.first / d.second;
        } else {
            if (d.first == 0.0) return s;  // a stationary point that is not a minimum
            p = d.first > 0.0 ? -(s - lo) / 2.0 : (hi - s) / 2.0;
        }
        double t = 1.0;
        if (s + p >= hi) t = 0.9 * (hi - s) / p;
        if (s + p <= lo) t = 0.9 * (lo - s) / p;
        if (newton && t == 1.0 && std::abs(p) < 1e-12) return s + p;
        // The point accepted is evaluated once: its derivatives serve the next iteration.
        ScalarDerivatives next = f(s + t * p);
        if (!(newton && t == 1.0 && std::abs(p) < 1e-7)) {
            for (int halvings = 0;; ++halvings) {
                if (next.value <= d.value + 1e-4 * t * p * d.first) break;
                if (halvings == 60) return std::numeric_limits<double>::quiet_NaN();
                t *= 0.5;
                next = f(s + t * p);
            }
        }
        s += t * p;
        d = next;
    }
    return std::numeric_limits<double>::quiet_NaN();
}

}  // namespace kelvorad::ge08
