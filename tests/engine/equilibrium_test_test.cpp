#include "equilibrium_test.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace kelvorad;

TEST(BaconHirschmann1988, LimitsAtUnitIlmeniteRatio) {
    const EquilibriumLimits l = equilibriumLimits(1.0);
    EXPECT_NEAR(l.lower, 0.7643484715, 1e-12);
    EXPECT_NEAR(l.upper, 0.93666852688, 1e-12);
    EXPECT_TRUE(passesEquilibriumTest(0.9, 1.0));
    EXPECT_FALSE(passesEquilibriumTest(0.95, 1.0));
    EXPECT_FALSE(passesEquilibriumTest(0.7, 1.0));
}

TEST(BaconHirschmann1988, BothLimitsAreInclusive) {
    const EquilibriumLimits l = equilibriumLimits(0.37);
    EXPECT_TRUE(passesEquilibriumTest(l.lower, 0.37));
    EXPECT_TRUE(passesEquilibriumTest(l.upper, 0.37));
    EXPECT_FALSE(passesEquilibriumTest(std::nextafter(l.upper, 10.0), 0.37));
}

TEST(BaconHirschmann1988, NoMagnesiumOrManganeseFails) {
    const OxideValues none{};
    EXPECT_EQ(logMgMn(none), 0.0);
    EXPECT_FALSE(passesEquilibriumTest(logMgMn(none), logMgMn(none)));
    EXPECT_FALSE(passesEquilibriumTest(kMissing, 0.5));
}

TEST(BaconHirschmann1988, VerdictNeedsMagnesiumAndManganeseInBothPhases) {
    OxideValues magnetite{};
    magnetite[Mg] = 0.08;
    magnetite[Mn] = 0.012;  // log(Mg/Mn) = 0.824
    OxideValues ilmenite{};
    ilmenite[Mg] = 0.12;
    ilmenite[Mn] = 0.012;  // L = 1: band 0.764 to 0.937
    EXPECT_EQ(equilibriumVerdict(magnetite, ilmenite), EquilibriumVerdict::Passed);
    magnetite[Mg] = 0.2;
    EXPECT_EQ(equilibriumVerdict(magnetite, ilmenite), EquilibriumVerdict::Failed);
    for (double absent : {0.0, -0.01, kMissing}) {
        for (OxideValues* phase : {&magnetite, &ilmenite}) {
            for (int cation : {Mg, Mn}) {
                OxideValues m = magnetite;
                OxideValues i = ilmenite;
                (phase == &magnetite ? m : i)[cation] = absent;
                EXPECT_EQ(equilibriumVerdict(m, i), EquilibriumVerdict::NotTested);
            }
        }
    }
    EXPECT_EQ(equilibriumVerdictText(EquilibriumVerdict::Passed), "Passed");
    EXPECT_EQ(equilibriumVerdictText(EquilibriumVerdict::Failed), "Failed");
    EXPECT_EQ(equilibriumVerdictText(EquilibriumVerdict::NotTested), "Not tested");
}

TEST(BaconHirschmann1988, LogRatioUsesTheFixedConstant) {
    OxideValues c{};
    c[Mg] = 0.08;
    c[Mn] = 0.012;
    EXPECT_DOUBLE_EQ(logMgMn(c), std::log(0.08 / 0.012) / 2.30258509299);
    c[Mn] = -0.01;
    EXPECT_EQ(logMgMn(c), 0.0);
    c[Mn] = kMissing;
    EXPECT_TRUE(isMissing(logMgMn(c)));
}

TEST(CationSums, DivalentAndTrivalentSums) {
    OxideValues c{};
    c[Fe2] = 1.0, c[Mg] = 0.1, c[Mn] = 0.01, c[Zn] = 0.002, c[Ca] = 0.001, c[Ba] = 0.0005,
    c[Ni] = 0.0002;
    c[Fe3] = 1.2, c[V] = 0.01, c[Cr] = 0.003, c[Al] = 0.09;
    c[Na] = 5, c[K] = 5, c[Nb] = 5, c[Si] = 5;  // enter neither sum
    const CationSums s = cationSums(c);
    EXPECT_DOUBLE_EQ(s.r2, 1.0 + 0.1 + 0.01 + 0.002 + 0.001 + 0.0005 + 0.0002);
    EXPECT_DOUBLE_EQ(s.r3, 1.2 + 0.01 + 0.003 + 0.09);
}
