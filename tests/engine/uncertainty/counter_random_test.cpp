// Counter-based random numbers: the normal quantile against known values and the normal
// distribution function, and the statistics of the numbers a run draws.
#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "counter_random.h"

using namespace kelvorad;

namespace {
double normalCdf(double z) {
    return 0.5 * std::erfc(-z / std::sqrt(2.0));
}
}  // namespace

TEST(StandardNormalQuantile, KnownPercentagePoints) {
    EXPECT_EQ(standardNormalQuantile(0.5), 0.0);
    EXPECT_NEAR(standardNormalQuantile(0.975), 1.959963984540054, 1e-14);
    EXPECT_NEAR(standardNormalQuantile(0.025), -1.959963984540054, 1e-14);
    EXPECT_NEAR(standardNormalQuantile(0.8413447460685429), 1.0, 1e-13);
    EXPECT_NEAR(standardNormalQuantile(0.999), 3.090232306167813, 1e-13);
    EXPECT_NEAR(standardNormalQuantile(1e-10), -6.361340902404056, 1e-12);
    EXPECT_NEAR(standardNormalQuantile(1e-300), -37.0471, 1e-3) << "the far tail";
}

TEST(StandardNormalQuantile, InvertsTheDistributionFunctionInAllThreeRegions) {
    // Central (|p - 0.5| <= 0.425), intermediate (r <= 5) and far tail (r > 5) branches.
    for (double p = 1e-15; p < 1.0; p = p < 0.01 ? p * 3.0 : p + 0.00731) {
        const double z = standardNormalQuantile(p);
        EXPECT_NEAR(normalCdf(z) / p, 1.0, 1e-13) << "p = " << p;
        const double upper = 1.0 - p;  // rounded; 1 - upper is its exact complement
        EXPECT_NEAR(standardNormalQuantile(upper), -standardNormalQuantile(1.0 - upper), 1e-13)
            << "symmetry, p = " << p;
    }
}

TEST(CounterRandom, UniformsStayInsideTheOpenInterval) {
    EXPECT_GT(uniformFromHash(0), 0.0);
    EXPECT_LT(uniformFromHash(~0ull), 1.0);
    EXPECT_TRUE(std::isfinite(standardNormalQuantile(uniformFromHash(0))));
    EXPECT_TRUE(std::isfinite(standardNormalQuantile(uniformFromHash(~0ull))));
}

TEST(CounterRandom, EachKeyGivesItsOwnNumber) {
    std::set<std::uint64_t> hashes;
    for (std::uint64_t seed : {0ull, 1ull}) {
        for (std::uint64_t pair = 0; pair < 20; ++pair) {
            for (std::uint64_t draw = 0; draw < 50; ++draw) {
                for (std::uint64_t slot = 0; slot < 32; ++slot) {
                    hashes.insert(mixKey(drawHash(seed, pair, draw), slot));
                }
            }
        }
    }
    EXPECT_EQ(hashes.size(), 2u * 20 * 50 * 32);
    EXPECT_NE(drawHash(1, 2, 3), drawHash(1, 3, 2)) << "pair and draw are not interchangeable";
}

TEST(CounterRandom, NormalsHaveUnitMomentsAndNeighboursAreUncorrelated) {
    // 100,000 draws of two neighbouring slots: mean 0, variance 1, skewness 0, kurtosis 3,
    // and no correlation between slots or between consecutive draws (standard errors about
    // 0.003, 0.0045, 0.008, 0.015 and 0.003).
    constexpr int n = 100'000;
    double sum = 0, squares = 0, cubes = 0, fourths = 0, slotProduct = 0, drawProduct = 0;
    double previous = 0;
    for (int d = 0; d < n; ++d) {
        const std::uint64_t hash = drawHash(7, 3, static_cast<std::uint64_t>(d));
        const double a = standardNormal(hash, 4);
        const double b = standardNormal(hash, 5);
        sum += a, squares += a * a, cubes += a * a * a, fourths += a * a * a * a;
        slotProduct += a * b;
        drawProduct += a * previous;
        previous = a;
    }
    EXPECT_NEAR(sum / n, 0.0, 0.012);
    EXPECT_NEAR(squares / n, 1.0, 0.018);
    EXPECT_NEAR(cubes / n, 0.0, 0.04);
    EXPECT_NEAR(fourths / n, 3.0, 0.07);
    EXPECT_NEAR(slotProduct / n, 0.0, 0.012);
    EXPECT_NEAR(drawProduct / n, 0.0, 0.012);
}
