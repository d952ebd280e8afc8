// The FMQ buffer of Frost (1991) against values worked by hand, and the offset from it.
#include <gtest/gtest.h>

#include <cmath>

#include "fmq_buffer.h"

using namespace kelvorad;

TEST(FmqBuffer, HandValuesOnBothQuartzBranches) {
    // beta-quartz, 1000 K, 1 bar: -25096.3/1000 + 8.735 = -16.3613
    EXPECT_NEAR(fmqLog10fO2(1000.0, 1.0), -16.3613, 1e-10);
    // beta-quartz, 1173.15 K (900 C), 2000 bar: -21.392406 + 8.735 + 0.187433 = -12.469799
    EXPECT_NEAR(fmqLog10fO2(1173.15, 2000.0), -12.469799, 1e-6);
    // alpha-quartz, 800 K, 1000 bar: -33.069125 + 10.344 + 0.114885 = -22.61024
    EXPECT_NEAR(fmqLog10fO2(800.0, 1000.0), -22.61024, 1e-5);
}

TEST(FmqBuffer, BranchesMeetAtTheQuartzTransition) {
    const double below = fmqLog10fO2(846.15, 1.0);
    const double above = fmqLog10fO2(846.15 + 1e-9, 1.0);
    EXPECT_NEAR(below, -20.9215, 1e-3);
    EXPECT_NEAR(above, below, 0.005);
}

TEST(FmqBuffer, OffsetAndMissingValues) {
    // log fO2 -12 at 900 C and 2000 bar lies 0.469799 above FMQ.
    EXPECT_NEAR(deltaFMQ(-12.0, 900.0, 2000.0), 0.469799, 1e-6);
    EXPECT_TRUE(std::isnan(deltaFMQ(std::nan(""), 900.0, 2000.0)));
    EXPECT_TRUE(std::isnan(deltaFMQ(-12.0, std::nan(""), 2000.0)));
    EXPECT_TRUE(std::isnan(fmqLog10fO2(0.0, 1.0)));
    EXPECT_TRUE(std::isnan(fmqLog10fO2(-5.0, 1.0)));
}
