#include "exchange_root.h"

#include <cmath>

namespace kelvorad::ge08 {

namespace {

constexpr double kTolerance = 1e-8;  // K, on the last Newton correction or the bracket width
// K: a continued search hands over to the confirming solve once its Newton correction is this
// small; one more Newton step then lands within about 1e-11 K of a smooth root.
constexpr double kApproach = 1e-4;
constexpr int kMaxEvaluations = 100;

struct Bracket {
    double a, fa, b, fb;
};

struct Search {
    ExchangeRoot root;
    Bracket bracket{};
    bool smooth = false;        // stopped on a Newton correction, not on a jump of dG
    double next = NAN;          // smooth: the temperature one more Newton step gives ...
    PairOrdering nextOrdering;  // ... and the orderings there, on their tangents
    PairState across;           // at a jump: the state on the other side of it
};

bool disordered(const Vec3& s) {
    return std::abs(s[0]) < 1e-6 && std::abs(s[1]) < 1e-6 && std::abs(s[2]) < 1e-6;
}

// The orderings to continue from towards T + step: s + (ds/dT) step, where that lies inside the
// domain, else s itself. The rhombohedral phase continues from an ordered state only (`from`,
// the last one, when the state is disordered).
PairOrdering continuation(const OxidePair& pair, const PairState& state, const PairOrdering& from,
                          double step) {
    const auto ahead = [&](const Vec3& s, const Vec3& slope) {
        return Vec3{s[0] + slope[0] * step, s[1] + slope[1] * step, s[2] + slope[2] * step};
    };
    const bool ordered = !disordered(state.rhombohedral.ordering);
    PairOrdering reached = state.ordering();
    if (!ordered) reached.rhombohedral = from.rhombohedral;
    PairOrdering predicted = reached;
    predicted.spinel = ahead(reached.spinel, state.spinel.orderingSlope);
    if (ordered)
        predicted.rhombohedral = ahead(reached.rhombohedral, state.rhombohedral.orderingSlope);
    return pair.admits(predicted) ? predicted : reached;
}

// The safeguarded Newton search inside the bracket from x. With `continued`, each ordering
// solve starts from the previous one, the first from `start`; it stops once the Newton
// correction falls below kApproach, leaving the last step to the confirming solve. Otherwise
// every solve is the phases' full equilibrate, and the search runs to kTolerance. The
// rhombohedral phase always continues from an ordered state: its continued solve also weighs
// the disordered state, so it then follows the lower of the ordered branch and the disordered
// state through the order-disorder transition.
Search newtonSearch(const OxidePair& pair, Exchange reaction, Bracket bracket, double x,
                    bool continued, const PairState& lower, const PairState& upper,
                    PairOrdering from) {
    Search search;
    ExchangeRoot& result = search.root;
    auto& [a, fa, b, fb] = search.bracket;
    search.bracket = bracket;
    if (disordered(from.rhombohedral)) from.rhombohedral = lower.rhombohedral.ordering;
    PairState atA = lower, atB = upper;
    double step = b - a, stepBefore = b - a;
    const double stop = continued ? kApproach : kTolerance;
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
        const double newton = f == 0.0 ? 0.0 : -f / slope;
        const double next = x + newton;
        const bool newtonInside = f == 0.0 || (std::isfinite(next) && next > a && next < b);
        search.smooth = newtonInside && std::abs(newton) < stop;
        if (search.smooth || b - a < kTolerance) {
            result.status = RootStatus::converged;
            if (search.smooth) {
                search.next = next;
                search.nextOrdering = continuation(pair, state, from, newton);
            } else {
                search.across = onA ? std::move(atB) : std::move(atA);
            }
            result.state = std::move(state);
            return search;
        }
        // Newton inside the bracket while it at least halves the step before last; bisection
        // otherwise.
        const bool useNewton = newtonInside && std::abs(newton) < 0.5 * std::abs(stepBefore);
        stepBefore = step;
        step = useNewton ? newton : 0.5 * (a + b) - x;
        x += step;
        from = continuation(pair, state, from, step);
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
        const bool quickly = confirmation == Confirmation::quick;
        const auto confirm = [&](double t, const PairOrdering& candidate) {
            ++evaluations;
            return pair.confirm(t, candidate, quickly);
        };
        // Continued ordering solves, accepted only where the confirming solve finds the same
        // ordering: one Newton step past the end of the continued search, where it also
        // gives the root, or at a jump of dG (where the lowest minimum changes branch) on both
        // sides of it. Otherwise the search is repeated with full solves throughout.
        PairOrdering from = start != nullptr ? *start
                            : x - a < b - x  ? lower.ordering()
                                             : upper.ordering();
        Bracket bracket{a, fa, b, fb};
        for (int round = 0; round < 4; ++round) {
            Search continued = newtonSearch(pair, reaction, bracket, x, true, lower, upper, from);
            evaluations += continued.root.evaluations;
            if (continued.root.status != RootStatus::converged) break;
            if (!continued.smooth) {
                const PairState& root = continued.root.state;
                OxidePair::Confirmed there = confirm(root.temperatureK, root.ordering());
                if (!there.agrees ||
                    !confirm(continued.across.temperatureK, continued.across.ordering()).agrees)
                    break;
                result.status = RootStatus::converged;
                result.state = std::move(there.state);
                result.evaluations = evaluations;
                return result;
            }
            OxidePair::Confirmed there = confirm(continued.next, continued.nextOrdering);
            if (!there.agrees) break;
            const auto [f, slope] = exchangeGibbsAndSlope(reaction, there.state);
            const double newton = f == 0.0 ? 0.0 : -f / slope;
            if (std::abs(newton) < kTolerance) {
                result.status = RootStatus::converged;
                result.state = std::move(there.state);
                result.evaluations = evaluations;
                return result;
            }
            // Not yet within the tolerance (a kink of dG nearby): go on from there.
            bracket = continued.bracket;
            x = continued.next;
            from = there.state.ordering();
        }
        result =
            newtonSearch(pair, reaction, {a, fa, b, fb}, x, false, lower, upper, lower.ordering())
                .root;
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
