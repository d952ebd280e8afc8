#include "nno_buffer.h"

#include <cmath>

namespace kelvorad::ge08 {

double nnoLog10Fo2(double t, double pressure) {
    return -25018.7 / t + 12.981 + 0.046 * (pressure - 1.0) / t - 0.5117 * std::log(t);
}

}  // namespace kelvorad::ge08
