#include "draw_statistics.h"

#include <algorithm>
#include <cmath>

namespace kelvorad {

double percentileOfSorted(std::span<const double> sorted, double p) {
    if (sorted.empty()) return kMissing;
    const double h = static_cast<double>(sorted.size() - 1) * p / 100.0;
    const auto below = static_cast<std::size_t>(std::floor(h));
    if (below + 1 >= sorted.size()) return sorted.back();
    return sorted[below] + (h - static_cast<double>(below)) * (sorted[below + 1] - sorted[below]);
}

namespace {
// The percentile of unsorted values, which are partly reordered: only the two ranks that the
// interpolation needs are put in place.
double percentileOfUnsorted(std::vector<double>& values, double p) {
    const std::size_t n = values.size();
    const double h = static_cast<double>(n - 1) * p / 100.0;
    const auto below = static_cast<std::size_t>(std::floor(h));
    std::nth_element(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(below),
                     values.end());
    const double low = values[below];
    if (below + 1 >= n) return low;
    const double high =
        *std::min_element(values.begin() + static_cast<std::ptrdiff_t>(below) + 1, values.end());
    return low + (h - static_cast<double>(below)) * (high - low);
}
}  // namespace

DrawStatistics summariseDraws(std::span<const double> values, std::vector<double>& scratch) {
    scratch.clear();
    for (double v : values) {
        if (std::isfinite(v)) scratch.push_back(v);
    }
    DrawStatistics s;
    s.count = static_cast<int>(scratch.size());
    if (scratch.empty()) return s;

    const double shift = scratch.front();
    double sum = 0.0;
    for (double v : scratch) sum += v - shift;
    const double meanOffset = sum / static_cast<double>(scratch.size());
    s.mean = shift + meanOffset;
    if (scratch.size() > 1) {
        double squares = 0.0;
        for (double v : scratch) squares += (v - shift - meanOffset) * (v - shift - meanOffset);
        s.sd = std::sqrt(squares / static_cast<double>(scratch.size() - 1));
    }
    s.percentile2_5 = percentileOfUnsorted(scratch, 2.5);
    s.percentile97_5 = percentileOfUnsorted(scratch, 97.5);
    return s;
}

}  // namespace kelvorad
