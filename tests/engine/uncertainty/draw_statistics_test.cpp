// Summaries of the draws: worked values, missing draws, equal draws.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "draw_statistics.h"

using namespace kelvorad;

TEST(PercentileOfSorted, InterpolatesBetweenTheClosestRanks) {
    const std::vector<double> v{1, 2, 3, 4, 5};
    EXPECT_EQ(percentileOfSorted(v, 0), 1.0);
    EXPECT_EQ(percentileOfSorted(v, 25), 2.0);
    EXPECT_EQ(percentileOfSorted(v, 50), 3.0);
    EXPECT_DOUBLE_EQ(percentileOfSorted(v, 2.5), 1.1);   // h = 0.1
    EXPECT_DOUBLE_EQ(percentileOfSorted(v, 97.5), 4.9);  // h = 3.9
    EXPECT_EQ(percentileOfSorted(v, 100), 5.0);
    EXPECT_EQ(percentileOfSorted(std::vector<double>{7}, 97.5), 7.0);
    EXPECT_TRUE(isMissing(percentileOfSorted({}, 50)));
}

TEST(SummariseDraws, WorkedExampleWithMissingDrawsLeftOut) {
    // 2, 4, 4, 4, 5, 5, 7, 9: mean 5, squared deviations 32, sample sd sqrt(32/7).
    const std::vector<double> v{4, kMissing, 9, 2, 4, kMissing, 5, 7, 4, 5};
    std::vector<double> scratch;
    const DrawStatistics s = summariseDraws(v, scratch);
    EXPECT_EQ(s.count, 8);
    EXPECT_DOUBLE_EQ(s.mean, 5.0);
    EXPECT_DOUBLE_EQ(s.sd, std::sqrt(32.0 / 7.0));
    EXPECT_DOUBLE_EQ(s.percentile2_5, 2.0 + 0.175 * 2.0);   // h = 0.175 between 2 and 4
    EXPECT_DOUBLE_EQ(s.percentile97_5, 7.0 + 0.825 * 2.0);  // h = 6.825 between 7 and 9
}

TEST(SummariseDraws, MatchesSortingOnALargerUnorderedSet) {
    std::vector<double> v;
    for (int k = 0; k < 1001; ++k) v.push_back(std::sin(k * 12.9898) * 43758.5453);
    std::vector<double> sorted = v;
    std::sort(sorted.begin(), sorted.end());
    std::vector<double> scratch;
    const DrawStatistics s = summariseDraws(v, scratch);
    EXPECT_EQ(s.percentile2_5, percentileOfSorted(sorted, 2.5));
    EXPECT_EQ(s.percentile97_5, percentileOfSorted(sorted, 97.5));
}

TEST(SummariseDraws, EqualDrawsGiveThatValueAndNoSpread) {
    const std::vector<double> v(1000, 812.3456789);
    std::vector<double> scratch;
    const DrawStatistics s = summariseDraws(v, scratch);
    EXPECT_EQ(s.count, 1000);
    EXPECT_EQ(s.mean, 812.3456789);
    EXPECT_EQ(s.sd, 0.0);
    EXPECT_EQ(s.percentile2_5, 812.3456789);
    EXPECT_EQ(s.percentile97_5, 812.3456789);
}

TEST(SummariseDraws, TooFewDrawsLeaveWhatCannotBeFormedMissing) {
    std::vector<double> scratch;
    const DrawStatistics none = summariseDraws(std::vector<double>{kMissing, kMissing}, scratch);
    EXPECT_EQ(none.count, 0);
    EXPECT_TRUE(isMissing(none.mean));
    EXPECT_TRUE(isMissing(none.sd));
    EXPECT_TRUE(isMissing(none.percentile2_5));
    EXPECT_TRUE(isMissing(none.percentile97_5));
    const DrawStatistics one = summariseDraws(std::vector<double>{kMissing, 3.5}, scratch);
    EXPECT_EQ(one.count, 1);
    EXPECT_EQ(one.mean, 3.5);
    EXPECT_TRUE(isMissing(one.sd));
    EXPECT_EQ(one.percentile97_5, 3.5);
}
