#include "ulvospinel_correction.h"

#include <cmath>

#include "berman_standard_state.h"

namespace kelvorad::ge08 {

namespace {

const double kL1 = -0.039452 * std::sqrt(4.184);
const double kL2 = 7.54197e-5 * std::sqrt(4.184);

struct Correction {
    double enthalpy, entropy;
};

Correction correction(UlvospinelCorrection variant) {
    if (variant == UlvospinelCorrection::reaction) return {-162.0 + 284.5 + 2039.106175, 1.247790};
    return {-162.0 + 284.5, 0.0};
}

// Integral of Cp_c / T dT from Tr to T.
double cpOverTIntegral(double t) {
    const double tr = kReferenceT;
    return kL1 * kL1 * (t - tr) + kL1 * kL2 * (t * t - tr * tr) +
           kL2 * kL2 / 3.0 * (t * t * t - tr * tr * tr);
}

}  // namespace

double ulvospinelCorrection(UlvospinelCorrection variant, double t) {
    const Correction c = correction(variant);
    const double tr = kReferenceT;
    const double cpIntegral = 0.5 * kL1 * kL1 * (t * t - tr * tr) +
                              2.0 / 3.0 * kL1 * kL2 * (t * t * t - tr * tr * tr) +
                              0.25 * kL2 * kL2 * (t * t * t * t - tr * tr * tr * tr);
    return c.enthalpy + cpIntegral - t * (c.entropy + cpOverTIntegral(t));
}

double ulvospinelCorrectionSlope(UlvospinelCorrection variant, double t) {
    return -(correction(variant).entropy + cpOverTIntegral(t));
}

}  // namespace kelvorad::ge08
