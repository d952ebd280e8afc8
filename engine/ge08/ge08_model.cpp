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

    // Both searches start at the same lower end.
    static_assert(kFeMgLowK == kFeTiLowK);
    const PairState low = pair.equilibrate(kFeTiLowK);

    // Fe-Mg exchange: NaN or one infinite sign at both ends (Mg absent) gives no sign change.
    const ExchangeRoot feMg =
        solveExchange(pair, Exchange::feMg, low, pair.equilibrate(kFeMgHighK));
    if (feMg.status == RootStatus::converged)
        result.feMgTemperatureC = feMg.state.temperatureK - kKelvinOffset;

    result.status = Ge08Status::noRoot;
    const ExchangeRoot feTi =
        solveExchange(pair, Exchange::feTi, low, pair.equilibrate(kFeTiHighK));
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
