#include "oxide_thermometry.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace kelvorad;

TEST(Powell1977, EqualFractionsGiveTheExchangeConstantAlone) {
    EXPECT_NEAR(powellTemperature(0.3, 0.3), 8155 / 4.59 - 273.15, 1e-12);
    EXPECT_NEAR(powellTemperature(0.7, 0.7), 1503.538, 5e-4);
}

TEST(Powell1977, OxygenValueIsTheNaturalLogarithmAsWritten) {
    const double x = 0.4, y = 0.9;
    const double expected =
        std::log(std::pow(y, 6) * std::pow(1 - x, 2) / std::pow(x, 6) * x * std::pow(x, 10.702)) -
        4.94;
    EXPECT_NEAR(powellOxygenValue(x, y), expected, 1e-12);
    EXPECT_TRUE(isMissing(powellOxygenValue(-0.1, 0.9)));  // negative base of the 10.702 power
    EXPECT_TRUE(isMissing(powellOxygenValue(0.0, 0.9)));
}

TEST(SpencerLindsley1981, HalfAndHalfWorkedExample) {
    // a1 = b1 = 0.25, a2 = b2 = -0.25, ln K2 = 0: 33178.75 / 9.8619 - 273.15.
    EXPECT_NEAR(feTiTemperature(0.5, 0.5, kSpencerLindsley1981), 33178.75 / 9.8619 - 273.15, 1e-9);
    EXPECT_NEAR(feTiTemperature(0.5, 0.5, kSpencerLindsley1981), 3091.19, 5e-3);
}

TEST(SpencerLindsley1981, OxygenEquationUsesItsOwnS2) {
    // Only the S2 term differs between the two calibrations' oxygen equations if every other
    // constant is the same; check the published 30.3 is used, not the thermometer's 19.652.
    FeTiCalibration c = kSpencerLindsley1981;
    const double withPublished = feTiLogFO2(0.4, 0.85, 900, c);
    c.s2Oxygen = c.s2Temperature;
    EXPECT_NE(withPublished, feTiLogFO2(0.4, 0.85, 900, c));
    c.s2Oxygen = 30.3;
    EXPECT_EQ(withPublished, feTiLogFO2(0.4, 0.85, 900, c));
}

TEST(FeTiOxygenBarometer, PureIlmeniteHasNoOxygenFugacity) {
    EXPECT_TRUE(isMissing(feTiLogFO2(0.4, 1.0, 900, kSpencerLindsley1981)));
    EXPECT_TRUE(isMissing(feTiLogFO2(0.4, 1.0, 900, kAndersenLindsley1985)));
    EXPECT_TRUE(isMissing(feTiTemperature(0.4, 1.0, kAndersenLindsley1985)));
    EXPECT_TRUE(isMissing(feTiTemperature(0.0, 0.8, kAndersenLindsley1985)));
}

TEST(FeTiOxygenBarometer, MissingTemperatureCarriesIntoTheOxygenFugacity) {
    EXPECT_TRUE(isMissing(feTiLogFO2(0.4, 0.8, kMissing, kAndersenLindsley1985)));
    EXPECT_TRUE(isMissing(nnoBuffer(kMissing, 2000)));
}

TEST(NNOBuffer, PressureTermVanishesAtOneBar) {
    const double t = 900;
    EXPECT_DOUBLE_EQ(nnoBuffer(t, 1), -24930 / (t + 273.15) + 9.36);
    EXPECT_NEAR(nnoBuffer(t, 2000) - nnoBuffer(t, 1), 0.046 * 1999 / (t + 273.15), 1e-12);
}

TEST(OxideThermometry, AllTwelveCombinationsAndDeltaNNO) {
    EndMembers e{};
    e.uspC67 = 40, e.ilmC67 = 90;
    e.uspA68 = 38, e.ilmA68 = 88;
    e.uspLS82 = 42, e.ilmLS82 = 91;
    e.uspS83 = 39, e.ilmS83 = 89;
    const OxideThermometry t = computeOxideThermometry(e, 1000);
    EXPECT_DOUBLE_EQ(t.tP77[2], powellTemperature(0.42, 0.91));
    EXPECT_DOUBLE_EQ(t.tSL81[1], feTiTemperature(0.38, 0.88, kSpencerLindsley1981));
    EXPECT_DOUBLE_EQ(t.fo2AL85[3], feTiLogFO2(0.39, 0.89, t.tAL85[3], kAndersenLindsley1985));
    for (int s = 0; s < 4; ++s) {
        EXPECT_DOUBLE_EQ(t.deltaNNOAL85[s], t.fo2AL85[s] - nnoBuffer(t.tAL85[s], 1000));
        // A titanomagnetite of 0.4 and an ilmenite of 0.9 equilibrate in magmatic conditions.
        EXPECT_GT(t.tAL85[s], 500);
        EXPECT_LT(t.tAL85[s], 1300);
    }
}
