#pragma once
// Arithmetic that turns a failed step into a missing value instead of a wrong number: a
// division by exactly zero, the logarithm of a number that is not positive, the square root of
// a negative number, a non-integer power of a negative base, or any result that is not finite
// gives NaN, and NaN carries through everything computed from it.

#include <cmath>

#include "number_text.h"

namespace kelvorad::safe {

// The value, or missing when it is not finite (overflow, 0/0, ...).
inline double checked(double v) {
    return std::isfinite(v) ? v : kMissing;
}

inline double div(double a, double b) {
    return b == 0.0 ? kMissing : checked(a / b);
}

// Natural logarithm; missing for arguments that are not positive.
inline double ln(double x) {
    return x > 0.0 ? checked(std::log(x)) : kMissing;
}

inline double sqrt(double x) {
    return x >= 0.0 ? std::sqrt(x) : kMissing;
}

// General power; missing for a negative base with a non-integer exponent.
inline double pow(double base, double exponent) {
    if (base < 0.0 && exponent != std::trunc(exponent)) return kMissing;
    return checked(std::pow(base, exponent));
}

}  // namespace kelvorad::safe
