#include "ulvospinel_correction.h"

#include <cmath>

#include "berman_standard_state.h"

namespace kelvorad::ge08 {

double ulvospinelCorrection(UlvospinelCorrection variant, double t) {
    const double l1 = -0.039452 * std::sqrt(4.184);
    const double l2 = 7.54197e-5 * std::sqrt(4.184);
    double dh = -162.0 + 284.5;
    double ds = 0.0;
    if (variant == UlvospinelCorrection::reaction) {
        dh += 2039.106175;
        ds = 1.247790;
    }
    const double tr = kReferenceT;
    const double cpIntegral = 0.5 * l1 * l1 * (t * t - tr * tr) +
                              2.0 / 3.0 * l1 * l2 * (t * t * t - tr * tr * tr) +
                              0.25 * l2 * l2 * (t * t * t * t - tr * tr * tr * tr);
    const double cpOverTIntegral = l1 * l1 * (t - tr) + l1 * l2 * (t * t - tr * tr) +
                                   l2 * l2 / 3.0 * (t * t * t - tr * tr * tr);
    return dh + cpIntegral - t * (ds + cpOverTIntegral);
}

}  // namespace kelvorad::ge08
