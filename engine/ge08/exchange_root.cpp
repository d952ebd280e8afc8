#include "exchange_root.h"

#include <cmath>

namespace kelvorad::ge08 {

namespace {

constexpr double kTolerance = 1e-8;  // K, on the last Newton correction or the bracket width
constexpr int kMaxEvaluations = 100;

}  // namespace

double exchangeGibbs(Exchange reaction, const PairState& state) {
    return reaction == Exchange::feTi ? feTiExchangeGibbs(state) : feMgExchangeGibbs(state);
}

double exchangeSlope(Exchange reaction, const PairState& state) {
    return reaction == Exchange::feTi ? feTiExchangeSlope(state) : feMgExchangeSlope(state);
}

ExchangeRoot solveExchange(const OxidePair& pair, Exchange reaction, const PairState& lower,
                           const PairState& upper, double guessK) {
    ExchangeRoot result;
    double a = lower.temperatureK, b = upper.temperatureK;
    double fa = exchangeGibbs(reaction, lower);
    const double fb = exchangeGibbs(reaction, upper);
    if (std::isnan(fa) || std::isnan(fb)) return result;
    if (fa == 0.0 || fb == 0.0) {
        result.status = RootStatus::converged;
        result.state = fa == 0.0 ? lower : upper;
        return result;
    }
    if (std::signbit(fa) == std::signbit(fb)) return result;

    const auto brent = [&](double lo, double hi) {
        const RootResult r = brentRoot(
            [&](double t) {
                ++result.evaluations;
                return exchangeGibbs(reaction, pair.equilibrate(t));
            },
            lo, hi);
        result.status = r.status;
        if (r.status == RootStatus::converged) result.state = pair.equilibrate(r.root);
        return result;
    };
    if (!std::isfinite(fa) || !std::isfinite(fb)) return brent(a, b);

    double x = guessK > a && guessK < b ? guessK : a - fa * (b - a) / (fb - fa);
    if (!(x > a && x < b)) x = 0.5 * (a + b);
    double step = b - a, stepBefore = b - a;
    while (result.evaluations < kMaxEvaluations) {
        ++result.evaluations;
        PairState state = pair.equilibrate(x);
        const double f = exchangeGibbs(reaction, state);
        if (std::isnan(f)) return brent(a, b);
        if (std::signbit(f) == std::signbit(fa)) {
            a = x;
            fa = f;
        } else {
            b = x;
        }
        const double newton = -f / exchangeSlope(reaction, state);
        const double next = x + newton;
        const bool newtonInside = std::isfinite(next) && next > a && next < b;
        if (f == 0.0 || (newtonInside && std::abs(newton) < kTolerance) || b - a < kTolerance) {
            result.status = RootStatus::converged;
            result.state = std::move(state);
            return result;
        }
        // Newton inside the bracket while it at least halves the step before last; bisection
        // otherwise.
        const bool useNewton = newtonInside && std::abs(newton) < 0.5 * std::abs(stepBefore);
        stepBefore = step;
        step = useNewton ? newton : 0.5 * (a + b) - x;
        x += step;
    }
    result.status = RootStatus::notConverged;
    return result;
}

}  // namespace kelvorad::ge08
