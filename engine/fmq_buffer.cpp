#include "fmq_buffer.h"

#include <cmath>
#include <limits>

namespace kelvorad {

namespace {
constexpr double kKelvinOffset = 273.15;
// The alpha-beta quartz transition at 1 bar. The two branches meet there to 0.003 log units
// (-20.9215 alpha, -20.9244 beta at 846.15 K, 1 bar), so the buffer has no visible step.
constexpr double kQuartzTransitionK = 573.0 + kKelvinOffset;

struct FmqConstants {
    double a, b, c;
};
constexpr FmqConstants kBetaQuartz{-25096.3, 8.735, 0.110};
constexpr FmqConstants kAlphaQuartz{-26455.3, 10.344, 0.092};
}  // namespace

double fmqLog10fO2(double temperatureK, double pressureBars) {
    if (!(temperatureK > 0.0)) return std::numeric_limits<double>::quiet_NaN();
    const FmqConstants& k = temperatureK > kQuartzTransitionK ? kBetaQuartz : kAlphaQuartz;
    return k.a / temperatureK + k.b + k.c * (pressureBars - 1.0) / temperatureK;
}

double deltaFMQ(double log10fO2, double temperatureC, double pressureBars) {
    return log10fO2 - fmqLog10fO2(temperatureC + kKelvinOffset, pressureBars);
}

}  // namespace kelvorad
