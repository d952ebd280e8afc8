#pragma once
// The summary of a quantity over the draws of a Monte Carlo run.

#include <span>
#include <vector>

#include "number_text.h"

namespace kelvorad {

struct DrawStatistics {
    double mean = kMissing;
    double sd = kMissing;  // sample standard deviation (divisor n - 1)
    double percentile2_5 = kMissing;
    double percentile97_5 = kMissing;
    int count = 0;  // draws that gave a value
};

// The p-th percentile (0 <= p <= 100) of sorted values by linear interpolation between the
// closest ranks: x[h] + (h - floor h)(x[h+1] - x[h]), h = (n - 1) p / 100 (Hyndman and Fan
// 1996, definition 7). Missing for no values.
double percentileOfSorted(std::span<const double> sorted, double p);

// Mean, standard deviation and 2.5th and 97.5th percentiles of the values that are finite
// (missing values are left out), and their count. The standard deviation needs two values, the
// others one; what cannot be formed is missing. The sums run about the first value (shifted data),
// so values that are all equal give exactly that value as mean and percentiles and an sd of exactly
// 0. `scratch` is working space, reused between calls to spare allocations.
DrawStatistics summariseDraws(std::span<const double> values, std::vector<double>& scratch);

}  // namespace kelvorad
