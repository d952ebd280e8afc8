#include "exchange_root.h"

#include <algorithm>
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
    bool smooth = false;        // stopped on a Newton correction, not on a jump of dG
    double next = NAN;          // smooth: the temperature one more Newton step gives ...
    PairOrdering nextOrdering;  // ... and the orderings there, on their tangents
    PairState across;           // at a jump: the state on the other side of it
};

// The orderings to continue from towards T + step: s + (ds/dT) step, where that lies inside the
// domain, else s itself. The rhombohedral phase continues from an ordered state only (`from`,
// the last one, when the state is disordered).
PairOrdering continuation(const OxidePair& pair, const PairState& state, const PairOrdering& from,
                          double step) {
    const auto ahead = [&](const Vec3& s, const Vec3& slope) {
        return Vec3{s[0] + slope[0] * step, s[1] + slope[1] * step, s[2] + slope[2] * step};
    };
    const bool ordered = !isDisordered(state.rhombohedral.ordering);
    PairOrdering reached = state.ordering();
    if (!ordered) reached.rhombohedral = from.rhombohedral;
    PairOrdering predicted = reached;
    predicted.spinel = ahead(reached.spinel, state.spinel.orderingSlope);
    if (ordered)
        predicted.rhombohedral = ahead(reached.rhombohedral, state.rhombohedral.orderingSlope);
    return pair.admits(predicted) ? predicted : reached;
}

struct BracketEnds {
    double a, b;
    const PairState& atA;
    const PairState& atB;
    int keptA, keptB;  // how often in a row each end was kept
};

// Where dG jumps across zero at the ilmenite's first-order order-disorder transition (ordered at
// one end, disordered at the other), the jump is the root of the rhombohedral ordering gap G
// (ordered) - G(disordered), which is smooth: the next estimate of it by regula falsi, with the
// Illinois halving for an end kept twice or more, so that it converges far faster than
// bisection. The gaps at the ends are found on first use (NaN: not yet); NaN when the ends are
// on the same branch or a gap is not found.
double jumpEstimate(const OxidePair& pair, const BracketEnds& ends, const Vec3& orderedStart,
                    double& gapA, double& gapB) {
    if (isDisordered(ends.atA.rhombohedral.ordering) ==
        isDisordered(ends.atB.rhombohedral.ordering))
        return NAN;
    if (std::isnan(gapA)) gapA = pair.orderingGap(ends.atA, orderedStart);
    if (std::isnan(gapB)) gapB = pair.orderingGap(ends.atB, orderedStart);
    const double ga = gapA * std::pow(0.5, std::max(ends.keptA - 1, 0));
    const double gb = gapB * std::pow(0.5, std::max(ends.keptB - 1, 0));
    if (std::signbit(ga) == std::signbit(gb)) return NAN;
    const double falsi = ends.a - ga * (ends.b - ends.a) / (gb - ga);
    return falsi > ends.a && falsi < ends.b ? falsi : NAN;
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
    auto& [a, fa, b, fb] = bracket;
    if (isDisordered(from.rhombohedral)) from.rhombohedral = lower.rhombohedral.ordering;
    PairState atA = lower, atB = upper;
    // Where the Newton step from each end would land, the ordering gap there (jumpEstimate),
    // and how often in a row each end was kept.
    double targetA = NAN, targetB = NAN, gapA = NAN, gapB = NAN;
    int keptA = 0, keptB = 0;
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
        (onA ? gapA : gapB) = NAN;
        keptA = onA ? 0 : keptA + 1;
        keptB = onA ? keptB + 1 : 0;
        const double newton = f == 0.0 ? 0.0 : -f / slope;
        const double next = x + newton;
        (onA ? targetA : targetB) = next;
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
        // Where the rhombohedral phase is ordered at one end and disordered at the other, and
        // the Newton steps from both ends leave the bracket, dG jumps across zero at the
        // transition between them.
        const auto outside = [low = a, high = b](double target) {
            return !std::isnan(target) && !(target > low && target < high);
        };
        if (continued && !useNewton && outside(targetA) && outside(targetB)) {
            const PairState& stateA = onA ? state : atA;
            const PairState& stateB = onA ? atB : state;
            const double jump = jumpEstimate(pair, {a, b, stateA, stateB, keptA, keptB},
                                             from.rhombohedral, gapA, gapB);
            if (!std::isnan(jump)) step = jump - x;
        }
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
        // ordering: one Newton step past the end of the continued search, where it also gives
        // the root, or at a jump of dG (where the lowest minimum changes branch) on both sides
        // of it. Otherwise the search is repeated with full solves throughout.
        PairOrdering from = start != nullptr ? *start
                            : x - a < b - x  ? lower.ordering()
                                             : upper.ordering();
        Search continued =
            newtonSearch(pair, reaction, {a, fa, b, fb}, x, true, lower, upper, from);
        evaluations += continued.root.evaluations;
        if (continued.root.status == RootStatus::converged && !continued.smooth) {
            // A jump of dG: both sides must be the lowest minima, checked a little away from
            // the jump, where the two branches' G differ by more than round-off.
            constexpr double kAside = 1e-6;  // K
            const PairState& low = continued.root.state.temperatureK < continued.across.temperatureK
                                       ? continued.root.state
                                       : continued.across;
            const PairState& high =
                &low == &continued.root.state ? continued.across : continued.root.state;
            if (confirm(low.temperatureK - kAside, low.ordering()).agrees &&
                confirm(high.temperatureK + kAside, high.ordering()).agrees) {
                result.status = RootStatus::converged;
                result.state = std::move(continued.root.state);
                result.evaluations = evaluations;
                return result;
            }
        } else if (continued.root.status == RootStatus::converged) {
            // One Newton step further, confirmed; a few more where a kink of dG nearby keeps the
            // step above the tolerance.
            double t = continued.next;
            PairOrdering candidate = continued.nextOrdering;
            for (int step = 0; step < 4; ++step) {
                OxidePair::Confirmed there = confirm(t, candidate);
                if (!there.agrees) break;
                const auto [f, slope] = exchangeGibbsAndSlope(reaction, there.state);
                const double newton = f == 0.0 ? 0.0 : -f / slope;
                if (std::abs(newton) < kTolerance) {
                    result.status = RootStatus::converged;
                    result.state = std::move(there.state);
                    result.evaluations = evaluations;
                    return result;
                }
                t += newton;
                if (!(t > a && t < b)) break;
                candidate = there.state.ordering();
            }
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
