#pragma once
// Brent's method for a root of f on [a, b], in the form of SciPy's brentq (Brent 1973,
// Algorithms for Minimization without Derivatives, ch. 4): inverse quadratic interpolation or
// secant steps, with bisection whenever they do not shrink the bracket fast enough.
// Tolerances as SciPy's defaults: xtol = 2e-12, rtol = 4 DBL_EPSILON, 100 iterations.

#include <cmath>
#include <functional>

namespace kelvorad::ge08 {

enum class RootStatus {
    converged,
    noSignChange,  // f(a) and f(b) have the same sign (or one is NaN)
    notConverged,  // the iteration limit was reached, or f was NaN inside the bracket
};

struct RootResult {
    RootStatus status = RootStatus::noSignChange;
    double root = NAN;  // NaN unless converged
};

// A root of f in [a, b] (a < b). f(a) and f(b) must differ in sign; otherwise, or when f gives
// NaN, the status says so and the root is NaN.
RootResult brentRoot(const std::function<double(double)>& f, double a, double b,
                     double xtol = 2e-12, double rtol = 8.881784197001252e-16,
                     int maxIterations = 100);

}  // namespace kelvorad::ge08
