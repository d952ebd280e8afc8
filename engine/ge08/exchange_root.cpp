#include "exchange_root.h"

#include <cmath>

namespace kelvorad::ge08 {

namespace {

constexpr double kTolerance = 1e-8;  // K, on the last Newton correction or the bracket width
constexpr int kMaxEvaluations = 100;

struct Bracket {
    double a, fa, b, fb;
};

struct Search {
    ExchangeRoot root;
    bool smooth = false;  // converged on a Newton correction, not on a jump of dG
    PairState across;     // at a jump: the state on the other side of it
};

bool disordered(const Vec3& s) {
    return std::abs(s[0]) < 1e-6 && std::abs(s[1]) < 1e-6 && std::abs(s[2]) < 1e-6;
}

// The safeguarded Newton search inside the bracket from x. With `continued`, each ordering
// solve starts from the previous one, the first from `start` (or from the nearer bracket end
// when start is null); otherwise every solve is the phases' full equilibrate. The rhombohedral
// phase always continues from an ordered state (the lower end's, or the last ordered one):
// its continued solve also weighs the disordered state, so it then follows the lower of the
// ordered branch and the disordered state through the order-disorder transition.
Search newtonSearch(const OxidePair& pair, Exchange reaction, Bracket bracket, double x,
                    bool continued, const PairState& lower, const PairState& upper,
                    const PairOrdering* start) {
    Search search;
    ExchangeRoot& result = search.root;
    auto& [a, fa, b, fb] = bracket;
    PairOrdering from = start != nullptr ? *start
                        : x - a < b - x  ? lower.ordering()
                                         : upper.ordering();
    if (disordered(from.rhombohedral)) from.rhombohedral = lower.rhombohedral.ordering;
    PairState atA = lower, atB = upper;
    double step = b - a, stepBefore = b - a;
    while (result.evaluations < kMaxEvaluations) {
        ++result.evaluations;
        PairState state = continued ? pair.equilibrateFrom(x, from) : pair.equilibrate(x);
        const auto [f, slope] = exchangeGibbsAndSlope(reaction, state);
        if (std::isnan(f)) {
            result.status = RootStatus::notConverged;
            return search;
        }
        const bool onA = std::signbit(f) == std::signbit(fa);
        (onA ? a : b) = x;
        (onA ? fa : fb) = f;
        const double newton = -f / slope;
        const double next = x + newton;
        const bool newtonInside = std::isfinite(next) && next > a && next < b;
        search.smooth = f == 0.0 || (newtonInside && std::abs(newton) < kTolerance);
        if (search.smooth || b - a < kTolerance) {
            result.status = RootStatus::converged;
            if (!search.smooth) search.across = onA ? std::move(atB) : std::move(atA);
            result.state = std::move(state);
            return search;
        }
        // Newton inside the bracket while it at least halves the step before last; bisection
        // otherwise.
        const bool useNewton = newtonInside && std::abs(newton) < 0.5 * std::abs(stepBefore);
        stepBefore = step;
        step = useNewton ? newton : 0.5 * (a + b) - x;
        x += step;
        // The next solve starts from the tangent of the orderings, s + (ds/dT) step, where
        // that lies inside the domain, else from s itself.
        const auto ahead = [&](const Vec3& s, const Vec3& slope) {
            return Vec3{s[0] + slope[0] * step, s[1] + slope[1] * step, s[2] + slope[2] * step};
        };
        const bool ordered = !disordered(state.rhombohedral.ordering);
        const PairOrdering reached = {state.spinel.ordering,
                                      ordered ? state.rhombohedral.ordering : from.rhombohedral};
        const PairOrdering predicted = {
            ahead(reached.spinel, state.spinel.orderingSlope),
            ordered ? ahead(reached.rhombohedral, state.rhombohedral.orderingSlope)
                    : reached.rhombohedral};
        from = pair.admits(predicted) ? predicted : reached;
        (onA ? atA : atB) = std::move(state);
    }
    result.status = RootStatus::notConverged;
    return search;
}

}  // namespace

double exchangeGibbs(Exchange reaction, const PairState& state) {
    return reaction == Exchange::feTi ? feTiExchangeGibbs(state) : feMgExchangeGibbs(state);
}

GibbsWithSlope exchangeGibbsAndSlope(Exchange reaction, const PairState& state) {
    return reaction == Exchange::feTi ? feTiExchange(state) : feMgExchange(state);
}

ExchangeRoot solveExchange(const OxidePair& pair, Exchange reaction, const PairState& lower,
                           const PairState& upper, double guessK, const PairOrdering* start,
                           Confirmation confirmation) {
    const double a = lower.temperatureK, b = upper.temperatureK;
    const double fa = exchangeGibbs(reaction, lower), fb = exchangeGibbs(reaction, upper);
    ExchangeRoot result;
    if (std::isnan(fa) || std::isnan(fb)) return result;
    if (fa == 0.0 || fb == 0.0) {
        result.status = RootStatus::converged;
        result.state = fa == 0.0 ? lower : upper;
        return result;
    }
    if (std::signbit(fa) == std::signbit(fb)) return result;

    int evaluations = 0;
    if (std::isfinite(fa) && std::isfinite(fb)) {
        double x = guessK > a && guessK < b ? guessK : a - fa * (b - a) / (fb - fa);
        if (!(x > a && x < b)) x = 0.5 * (a + b);
        // Continued ordering solves, accepted only where the full solve finds the same
        // ordering: at the root, and at a jump of dG (where the lowest minimum changes branch)
        // on both sides of it. Otherwise the search is repeated with full solves throughout.
        Search continued =
            newtonSearch(pair, reaction, {a, fa, b, fb}, x, true, lower, upper, start);
        evaluations += continued.root.evaluations;
        if (continued.root.status == RootStatus::converged) {
            const auto check = [&](const PairState& found) {
                ++evaluations;
                return confirmation == Confirmation::full ? pair.equilibrate(found.temperatureK)
                                                          : pair.confirm(found);
            };
            PairState full = check(continued.root.state);
            bool confirmed = sameOrdering(full, continued.root.state);
            if (confirmed && !continued.smooth)
                confirmed = sameOrdering(check(continued.across), continued.across);
            if (confirmed) {
                continued.root.state = std::move(full);
                continued.root.evaluations = evaluations;
                return continued.root;
            }
        }
        result = newtonSearch(pair, reaction, {a, fa, b, fb}, x, false, lower, upper, nullptr).root;
        evaluations += result.evaluations;
        if (result.status == RootStatus::converged) {
            result.evaluations = evaluations;
            return result;
        }
    }
    // An infinite end, or NaN inside: Brent's method decides, as a search without slopes.
    const RootResult r = brentRoot(
        [&](double t) {
            ++evaluations;
            return exchangeGibbs(reaction, pair.equilibrate(t));
        },
        a, b);
    result = {};
    result.status = r.status;
    if (r.status == RootStatus::converged) result.state = pair.equilibrate(r.root);
    result.evaluations = evaluations;
    return result;
}

}  // namespace kelvorad::ge08
