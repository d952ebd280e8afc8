#include "oxygen_gas.h"

#include <cmath>

#include "berman_standard_state.h"

namespace kelvorad::ge08 {

double oxygenChemicalPotential(double t) {
    constexpr double a = 23.10248, b = 804.8876, c = 1762835.0, d = -18172.9196, e = 0.002676;
    const double tr = kReferenceT;
    const double h = a * (t - tr) + 2.0 * b * (std::sqrt(t) - std::sqrt(tr)) -
                     c * (1.0 / t - 1.0 / tr) + d * std::log(t / tr) + 0.5 * e * (t * t - tr * tr);
    const double s =
        205.15 + a * std::log(t / tr) - 2.0 * b * (1.0 / std::sqrt(t) - 1.0 / std::sqrt(tr)) -
        0.5 * c * (1.0 / (t * t) - 1.0 / (tr * tr)) - d * (1.0 / t - 1.0 / tr) + e * (t - tr);
    return h - t * s;
}

}  // namespace kelvorad::ge08
