#include "berman_standard_state.h"

#include <algorithm>
#include <cmath>

#include "berman_data.h"

namespace kelvorad::ge08 {

ThermalProperties bermanThermal(EndMember m, double t) {
    const BermanParameters& p = kBermanTable[index(m)];
    const double tr = kReferenceT;
    double h = p.h0 + p.k0 * (t - tr) + 2.0 * p.k1 * (std::sqrt(t) - std::sqrt(tr)) -
               p.k2 * (1.0 / t - 1.0 / tr) - 0.5 * p.k3 * (1.0 / (t * t) - 1.0 / (tr * tr));
    double s = p.s0 + p.k0 * std::log(t / tr) -
               2.0 * p.k1 * (1.0 / std::sqrt(t) - 1.0 / std::sqrt(tr)) -
               0.5 * p.k2 * (1.0 / (t * t) - 1.0 / (tr * tr)) -
               p.k3 / 3.0 * (1.0 / (t * t * t) - 1.0 / (tr * tr * tr));
    if (p.lambdaT > 0.0) {
        // Integral of T (l1 + l2 T)^2 dT and of (l1 + l2 T)^2 dT from Tr to min(T, T_lambda).
        const double tu = std::min(t, p.lambdaT);
        const double l1 = p.l1, l2 = p.l2;
        h += 0.5 * l1 * l1 * (tu * tu - tr * tr) +
             2.0 / 3.0 * l1 * l2 * (tu * tu * tu - tr * tr * tr) +
             0.25 * l2 * l2 * (tu * tu * tu * tu - tr * tr * tr * tr);
        s += l1 * l1 * (tu - tr) + l1 * l2 * (tu * tu - tr * tr) +
             l2 * l2 / 3.0 * (tu * tu * tu - tr * tr * tr);
        if (t > p.lambdaT) {
            h += p.lambdaDeltaH;
            s += p.lambdaDeltaH / p.lambdaT;
        }
    }
    return {h, s};
}

double bermanVolumeIntegral(EndMember m, double t, double pressure) {
    const BermanParameters& p = kBermanTable[index(m)];
    const double dp = pressure - kReferenceP;
    const double dt = t - kReferenceT;
    return p.v0 * (dp + p.v1 * dp * dp / 2.0 + p.v2 * dp * dp * dp / 3.0 +
                   (p.v3 * dt + p.v4 * dt * dt) * dp);
}

double bermanGibbs(EndMember m, double t, double pressure) {
    const ThermalProperties th = bermanThermal(m, t);
    return th.enthalpy - t * th.entropy + bermanVolumeIntegral(m, t, pressure);
}

double bermanVolumeIntegralSlope(EndMember m, double t, double pressure) {
    const BermanParameters& p = kBermanTable[index(m)];
    return p.v0 * (p.v3 + 2.0 * p.v4 * (t - kReferenceT)) * (pressure - kReferenceP);
}

double bermanGibbsSlope(EndMember m, double t, double pressure) {
    return -bermanThermal(m, t).entropy + bermanVolumeIntegralSlope(m, t, pressure);
}

}  // namespace kelvorad::ge08
