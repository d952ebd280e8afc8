#include "ge08_model.h"

#include <cmath>

#include "exchange_root.h"
#include "nno_buffer.h"
#include "oxide_pair.h"
#include "oxide_projection.h"

namespace kelvorad::ge08 {

namespace {

constexpr double kKelvinOffset = 273.15;
constexpr double kFeTiLowK = 500.0, kFeTiHighK = 2500.0;
constexpr double kFeMgLowK = 500.0, kFeMgHighK = 2000.0;

bool finiteAnalysis(const std::array<double, 16>& wt) {
    for (double v : wt)
        if (!std::isfinite(v) || v < 0.0) return false;
    return true;
}

const Ge08WarmStart::Point* pointOf(const Ge08WarmStart* hint,
                                    Ge08WarmStart::Point Ge08WarmStart::*which) {
    if (hint == nullptr) return nullptr;
    const Ge08WarmStart::Point& point = hint->*which;
    return std::isfinite(point.temperatureK) ? &point : nullptr;
}

PairOrdering orderingOf(const Ge08WarmStart::Point& point) {
    return {point.spinelOrdering, point.rhombohedralOrdering, point.spinelPureOrdering,
            point.rhombohedralPureOrdering};
}

// A solved state as a warm-start point; missing when the state is not valid.
Ge08WarmStart::Point pointAt(const PairState& state) {
    if (!state.valid()) return {};
    const PairOrdering o = state.ordering();
    return {state.temperatureK, o.spinel, o.rhombohedral, o.spinelPure, o.rhombohedralPure};
}

}  // namespace

std::string_view ge08StatusText(Ge08Status status) {
    switch (status) {
        case Ge08Status::converged:
            return "converged";
        case Ge08Status::noRoot:
            return "no root";
        case Ge08Status::outsideModel:
            return "outside model";
    }
    return "outside model";
}

Ge08Result computeGe08Model(const std::array<double, 16>& magnetiteWt,
                            const std::array<double, 16>& ilmeniteWt, double pressureBars) {
    return computeGe08Model(magnetiteWt, ilmeniteWt, pressureBars, nullptr, nullptr);
}

Ge08Result computeGe08Model(const std::array<double, 16>& magnetiteWt,
                            const std::array<double, 16>& ilmeniteWt, double pressureBars,
                            const Ge08WarmStart* hint, Ge08WarmStart* reached) {
    if (reached != nullptr) *reached = {};
    Ge08Result result;
    if (!finiteAnalysis(magnetiteWt) || !finiteAnalysis(ilmeniteWt) ||
        !std::isfinite(pressureBars) || pressureBars < 0.0)
        return result;

    const SpinelFractions sp = projectSpinel(magnetiteWt);
    const RhombohedralFractions rh = projectRhombohedral(ilmeniteWt);
    // The reactions need ulvospinel, magnetite, ilmenite and hematite: with any of them absent
    // they would hold ln 0.
    const bool representable = sp.feasible && !sp.cationExcess && rh.feasible && rh.ferric > 0.0 &&
                               rh.ferrous > 0.0 && sp.ulvospinel > 0.0 && sp.magnetite > 0.0 &&
                               rh.ilmenite > 0.0 && rh.hematite > 0.0;
    if (!representable) return result;

    const OxidePair pair(
        {sp.chromite, sp.hercynite, sp.magnetite, sp.spinel, sp.ulvospinel, sp.hasAluminium},
        {rh.geikielite, rh.hematite, rh.ilmenite, rh.pyrophanite, rh.corundum}, pressureBars);

    // An end of a search: the full ordering solve, or with a hint the continuation of its
    // ordering there.
    const auto endState = [&](double t, const Ge08WarmStart::Point* from) {
        return from != nullptr ? pair.equilibrateFrom(t, orderingOf(*from)) : pair.equilibrate(t);
    };
    // A search from the hint's temperature and ordering, or from the bracket alone.
    // With a hint, the root is confirmed by the quicker check.
    const Confirmation confirmation = hint != nullptr ? Confirmation::quick : Confirmation::full;
    const auto search = [&](Exchange reaction, const PairState& lower, const PairState& upper,
                            const Ge08WarmStart::Point* from) {
        if (from == nullptr)
            return solveExchange(pair, reaction, lower, upper, NAN, nullptr, confirmation);
        const PairOrdering start = orderingOf(*from);
        return solveExchange(pair, reaction, lower, upper, from->temperatureK, &start,
                             confirmation);
    };

    // Both searches start at the same lower end.
    static_assert(kFeMgLowK == kFeTiLowK);
    const PairState low = endState(kFeTiLowK, pointOf(hint, &Ge08WarmStart::low));
    const PairState feMgHigh = endState(kFeMgHighK, pointOf(hint, &Ge08WarmStart::feMgHigh));
    const PairState feTiHigh = endState(kFeTiHighK, pointOf(hint, &Ge08WarmStart::feTiHigh));

    // Fe-Mg exchange: NaN or one infinite sign at both ends (Mg absent) gives no sign change.
    const ExchangeRoot feMg =
        search(Exchange::feMg, low, feMgHigh, pointOf(hint, &Ge08WarmStart::feMg));
    if (feMg.status == RootStatus::converged)
        result.feMgTemperatureC = feMg.state.temperatureK - kKelvinOffset;

    result.status = Ge08Status::noRoot;
    const ExchangeRoot feTi =
        search(Exchange::feTi, low, feTiHigh, pointOf(hint, &Ge08WarmStart::feTi));
    if (reached != nullptr) {
        *reached = {pointAt(low), pointAt(feMgHigh), pointAt(feTiHigh), pointAt(feMg.state),
                    pointAt(feTi.state)};
    }
    if (feTi.status != RootStatus::converged) return result;

    const PairState& state = feTi.state;
    const double t = state.temperatureK;
    const double logFo2 = log10OxygenFugacity(state);
    const double aTiO2 = titaniaActivity(state);
    if (!std::isfinite(logFo2) || !std::isfinite(aTiO2)) return result;
    result.temperatureC = t - kKelvinOffset;
    result.log10fO2 = logFo2;
    result.deltaNNO = logFo2 - nnoLog10Fo2(t, pressureBars);
    result.aTiO2 = aTiO2;
    result.status = Ge08Status::converged;
    return result;
}

}  // namespace kelvorad::ge08
