#include "oxide_pair.h"

#include <cmath>
#include <limits>
#include <numbers>

#include "berman_standard_state.h"
#include "oxygen_gas.h"
#include "ulvospinel_correction.h"
#include "vinet_volume.h"

namespace kelvorad::ge08 {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kSolutionGasConstant = 8.3143;   // J/(mol K), solution models and a_TiO2
constexpr double kOxygenGasConstant = 8.3144598;  // J/(mol K), log fO2

// Reaction coefficients in the member order of each phase.
using Nu = std::array<double, 5>;
// Spinel: chromite, hercynite, magnetite, spinel, ulvospinel.
// Rhombohedral: geikielite, hematite, ilmenite, pyrophanite, corundum.

}  // namespace

GibbsWithSlope modelStandardState(EndMember m, double t, double pressure) {
    const ThermalProperties th = bermanThermal(m, t);
    if (!hasVinetParameters(m)) {
        return {th.enthalpy - t * th.entropy + bermanVolumeIntegral(m, t, pressure),
                -th.entropy + bermanVolumeIntegralSlope(m, t, pressure)};
    }
    const VolumeIntegral v = vinetVolume(m, t, pressure);
    return {th.enthalpy - t * th.entropy + v.value, -th.entropy + v.slope};
}

double modelStandardGibbs(EndMember m, double t, double pressure) {
    return modelStandardState(m, t, pressure).gibbs;
}

double modelStandardGibbsSlope(EndMember m, double t, double pressure) {
    return modelStandardState(m, t, pressure).slope;
}

OxidePair::OxidePair(const SpinelComposition& spinel, const RhombohedralComposition& rhombohedral,
                     double pressureBars)
    : spinel_(spinel), rhombohedral_(rhombohedral), pressure_(pressureBars) {}

PairState OxidePair::equilibrate(double t) const {
    PairState state;
    state.temperatureK = t;
    state.pressureBars = pressure_;
    state.spinel = spinel_.equilibrate(t, pressure_);
    state.rhombohedral = rhombohedral_.equilibrate(t, pressure_);
    return state;
}

PairState OxidePair::equilibrateFrom(double t, const PairOrdering& start) const {
    PairState state;
    state.temperatureK = t;
    state.pressureBars = pressure_;
    state.spinel = spinel_.equilibrateFrom(t, pressure_, start.spinel);
    state.spinel.pureStart = start.spinelPure;
    state.rhombohedral = rhombohedral_.equilibrateFrom(t, pressure_, start.rhombohedral);
    state.rhombohedral.pureStart = start.rhombohedralPure;
    return state;
}

OxidePair::Confirmed OxidePair::confirm(double t, const PairOrdering& candidate,
                                        bool quickly) const {
    Confirmed result;
    result.state.temperatureK = t;
    result.state.pressureBars = pressure_;
    result.state.spinel = spinel_.equilibrate(t, pressure_);
    result.state.rhombohedral = quickly ? rhombohedral_.equilibrateQuickly(t, pressure_)
                                        : rhombohedral_.equilibrate(t, pressure_);
    result.state.spinel.pureStart = candidate.spinelPure;
    result.state.rhombohedral.pureStart = candidate.rhombohedralPure;
    const PairOrdering continued = {
        spinel_.orderingFrom(t, pressure_, candidate.spinel),
        rhombohedral_.orderingFrom(t, pressure_, candidate.rhombohedral)};
    result.agrees = result.state.valid() && sameOrdering(result.state.ordering(), continued);
    return result;
}

bool sameOrdering(const PairOrdering& a, const PairOrdering& b) {
    constexpr double kCloseness = 1e-7;
    const auto close = [](const Vec3& u, const Vec3& v, double sign) {
        for (int k = 0; k < 3; ++k)
            if (!(std::abs(u[k] - sign * v[k]) <= kCloseness)) return false;
        return true;
    };
    // The rhombohedral phase is the same with its A and B layers swapped (s -> -s).
    return close(a.spinel, b.spinel, 1.0) && (close(a.rhombohedral, b.rhombohedral, 1.0) ||
                                              close(a.rhombohedral, b.rhombohedral, -1.0));
}

bool sameOrdering(const PairState& a, const PairState& b) {
    return a.valid() && b.valid() && sameOrdering(a.ordering(), b.ordering());
}

double OxidePair::feTiExchangeGibbs(double t) const {
    return ge08::feTiExchangeGibbs(equilibrate(t));
}

double OxidePair::feMgExchangeGibbs(double t) const {
    return ge08::feMgExchangeGibbs(equilibrate(t));
}

namespace {

// An exchange reaction: its end-members' standard states with their coefficients, the
// ulvospinel correction where it takes part, and the coefficients within each phase.
struct ExchangeReaction {
    std::array<std::pair<EndMember, double>, 4> standard;
    bool ulvospinelCorrection;
    Nu spinel, rhombohedral;
};

constexpr ExchangeReaction kFeTi = {{{{EndMember::ulvospinel, 1.0},
                                      {EndMember::hematite, 1.0},
                                      {EndMember::ilmenite, -1.0},
                                      {EndMember::magnetite, -1.0}}},
                                    true,
                                    {0, 0, -1, 0, 1},
                                    {0, 1, -1, 0, 0}};
constexpr ExchangeReaction kFeMg = {{{{EndMember::spinel, 1.0},
                                      {EndMember::ilmenite, 1.0},
                                      {EndMember::hercynite, -1.0},
                                      {EndMember::geikielite, -1.0}}},
                                    false,
                                    {0, -1, 0, 1, 0},
                                    {-1, 0, 1, 0, 0}};

GibbsWithSlope exchange(const ExchangeReaction& r, const PairState& s) {
    if (!s.valid()) return {kNaN, kNaN};
    const double t = s.temperatureK, p = s.pressureBars;
    GibbsWithSlope dG{0.0, 0.0};
    for (const auto& [member, nu] : r.standard) {
        const GibbsWithSlope mu = modelStandardState(member, t, p);
        dG.gibbs += nu * mu.gibbs;
        dG.slope += nu * mu.slope;
    }
    if (r.ulvospinelCorrection) {
        dG.gibbs += ulvospinelCorrection(UlvospinelCorrection::reaction, t);
        dG.slope += ulvospinelCorrectionSlope(UlvospinelCorrection::reaction, t);
    }
    const GibbsWithSlope spinel = s.spinel.reaction(r.spinel);
    const GibbsWithSlope rhombohedral = s.rhombohedral.reaction(r.rhombohedral);
    dG.gibbs += spinel.gibbs + rhombohedral.gibbs;
    dG.slope += spinel.slope + rhombohedral.slope;
    return dG;
}

}  // namespace

GibbsWithSlope feTiExchange(const PairState& state) {
    return exchange(kFeTi, state);
}

GibbsWithSlope feMgExchange(const PairState& state) {
    return exchange(kFeMg, state);
}

double feTiExchangeGibbs(const PairState& state) {
    return feTiExchange(state).gibbs;
}

double feMgExchangeGibbs(const PairState& state) {
    return feMgExchange(state).gibbs;
}

double feTiExchangeSlope(const PairState& state) {
    return feTiExchange(state).slope;
}

double feMgExchangeSlope(const PairState& state) {
    return feMgExchange(state).slope;
}

double log10OxygenFugacity(const PairState& s) {
    if (!s.valid()) return kNaN;
    const double t = s.temperatureK, p = s.pressureBars;
    const double standard = 6.0 * modelStandardGibbs(EndMember::hematite, t, p) -
                            4.0 * modelStandardGibbs(EndMember::magnetite, t, p) -
                            oxygenChemicalPotential(t);
    const double muO2 = standard + s.rhombohedral.reactionSum(Nu{0, 6, 0, 0, 0}) +
                        s.spinel.reactionSum(Nu{0, 0, -4, 0, 0});
    return muO2 / (kOxygenGasConstant * t * std::numbers::ln10);
}

double titaniaActivity(const PairState& s) {
    if (!s.valid()) return kNaN;
    const double t = s.temperatureK, p = s.pressureBars;
    const double standard = bermanGibbs(EndMember::rutile, t, p) +
                            modelStandardGibbs(EndMember::ulvospinel, t, p) +
                            ulvospinelCorrection(UlvospinelCorrection::plain, t) -
                            2.0 * modelStandardGibbs(EndMember::ilmenite, t, p);
    const double dG = standard + s.spinel.reactionSum(Nu{0, 0, 0, 0, 1}) +
                      s.rhombohedral.reactionSum(Nu{0, 0, -2, 0, 0});
    return std::exp(-dG / (kSolutionGasConstant * t));
}

}  // namespace kelvorad::ge08
