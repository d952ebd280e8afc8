#include "method_options.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace kelvorad;
using I = MethodItem;

TEST(RunStartSteps, NothingCheckedGivesTheDefaults) {
    MethodChecks checks;
    const RunChoices choices = applyRunStartSteps(checks);
    EXPECT_EQ(choices.pressureBars, 2000);
    EXPECT_EQ(choices.scheme, FerricScheme::Stormer);
    EXPECT_EQ(choices.magnetiteOxygenCaption, "4 oxygen");
    EXPECT_EQ(choices.ilmeniteOxygenCaption, "3 oxygen");
    EXPECT_EQ(choices.ferricIronCaption, "Stormer (1983)");
    EXPECT_EQ(choices.nnoPressureCaption, "NNO (2000 bars)");
    EXPECT_EQ(choices.plotMethodCaption, "Anderson & Lindsley (1985) using Stormer (1983)");
    EXPECT_EQ(checks.checkedNames(), (std::vector<std::string>{"mnuFe3Stormer", "mnu2000NNO",
                                                               "mnuAL85uS83", "mnuTNNOAL85"}));
}

TEST(RunStartSteps, OnePressureItemUnchecksTheDefault) {
    MethodChecks checks;
    checks.setChecked(I::NNO1, true);
    const RunChoices choices = applyRunStartSteps(checks);
    EXPECT_EQ(choices.pressureBars, 1);
    EXPECT_EQ(choices.nnoPressureCaption, "NNO (1 bar)");
    EXPECT_FALSE(checks.isChecked(I::NNO2000));
    EXPECT_TRUE(checks.isChecked(I::NNO1));
}

TEST(RunStartSteps, SeveralItemsOfAGroupLastExaminedWins) {
    MethodChecks checks;
    checks.setChecked(I::NNO5000, true);
    checks.setChecked(I::NNO1000, true);
    checks.setChecked(I::Fe3Carmichael, true);
    checks.setChecked(I::Fe3Droop, true);
    checks.setChecked(I::PP77uC67, true);
    checks.setChecked(I::SL81uLS82, true);
    const RunChoices choices = applyRunStartSteps(checks);
    EXPECT_EQ(choices.pressureBars, 5000);
    EXPECT_EQ(choices.nnoPressureCaption, "NNO (5000 bars)");
    EXPECT_EQ(choices.scheme, FerricScheme::Droop);
    EXPECT_EQ(choices.ferricIronCaption, "Droop (1987)");
    EXPECT_FALSE(checks.isChecked(I::Fe3Stormer));
    EXPECT_TRUE(checks.isChecked(I::Fe3Carmichael));
    // The Stormer/Andersen-Lindsley default is checked by every run and never unchecked.
    EXPECT_EQ(choices.plotMethodCaption, "Anderson & Lindsley (1985) using Stormer (1983)");
    EXPECT_TRUE(checks.isChecked(I::PP77uC67));
    EXPECT_TRUE(checks.isChecked(I::AL85uS83));
}

TEST(RunStartSteps, UserCheckedDefaultStaysWithOthers) {
    MethodChecks checks;
    checks.setChecked(I::Fe3Stormer, true);
    checks.setChecked(I::Fe3Carmichael, true);
    const RunChoices choices = applyRunStartSteps(checks);
    EXPECT_EQ(choices.scheme, FerricScheme::Carmichael);
    EXPECT_EQ(choices.ferricIronCaption, "Carmichael (1967)");
    EXPECT_FALSE(checks.isChecked(I::Fe3Stormer));
}

TEST(RunStartSteps, FullModelStartsCheckedAndNamesItsPressure) {
    MethodChecks checks = startingMethodChecks();
    EXPECT_EQ(checks.checkedNames(), std::vector<std::string>{"mnuGE08Model"});
    RunChoices choices = applyRunStartSteps(checks);
    EXPECT_TRUE(choices.fullModel);
    EXPECT_EQ(choices.modelPressureBars, 2000.0);
    EXPECT_EQ(choices.fullModelCaption, "Ghiorso and Evans (2008) model at 2000 bars");

    MethodChecks off;
    choices = applyRunStartSteps(off);
    EXPECT_FALSE(choices.fullModel);
    EXPECT_EQ(choices.fullModelCaption, "Ghiorso and Evans (2008) model off");
}

TEST(RunStartSteps, OtherPressureGoesToTheModelAndTheNearestBufferElsewhere) {
    MethodChecks checks = startingMethodChecks();
    checks.setOtherPressureBars(2600.5);
    checks.setChecked(I::OtherPressure, true);
    checks.setChecked(I::NNO1, true);  // examined before "Other pressure"
    const RunChoices choices = applyRunStartSteps(checks);
    EXPECT_EQ(choices.modelPressureBars, 2600.5);
    EXPECT_EQ(choices.pressureBars, 3000);
    EXPECT_FALSE(checks.isChecked(I::NNO2000));
    EXPECT_EQ(choices.nnoPressureCaption, "NNO (3000 bars, the nearest to 2600.5 bars)");
    EXPECT_EQ(choices.fullModelCaption, "Ghiorso and Evans (2008) model at 2600.5 bars");
}

TEST(RunStartSteps, OtherPressureWithoutAPressureInRangeIsUnchecked) {
    for (std::optional<double> bars :
         {std::optional<double>{}, std::optional<double>{0.5}, std::optional<double>{10000.5}}) {
        MethodChecks checks;
        checks.setOtherPressureBars(bars);
        checks.setChecked(I::OtherPressure, true);
        const RunChoices choices = applyRunStartSteps(checks);
        EXPECT_FALSE(checks.isChecked(I::OtherPressure));
        EXPECT_EQ(choices.modelPressureBars, 2000.0);
        EXPECT_EQ(choices.pressureBars, 2000);
    }
}

TEST(RunStartSteps, NearestBufferPressure) {
    EXPECT_EQ(nearestBufferPressureBars(1.0), 1);
    EXPECT_EQ(nearestBufferPressureBars(500.0), 1);
    EXPECT_EQ(nearestBufferPressureBars(501.0), 1000);
    EXPECT_EQ(nearestBufferPressureBars(1500.0), 1000);  // halfway: the lower
    EXPECT_EQ(nearestBufferPressureBars(4000.0), 3000);
    EXPECT_EQ(nearestBufferPressureBars(4000.1), 5000);
    EXPECT_EQ(nearestBufferPressureBars(10000.0), 5000);
    EXPECT_TRUE(isPressureInRange(1.0));
    EXPECT_TRUE(isPressureInRange(10000.0));
    EXPECT_FALSE(isPressureInRange(0.99));
    EXPECT_FALSE(isPressureInRange(std::nan("")));
}

TEST(MethodItems, FoundByNameWithOrWithoutPrefix) {
    EXPECT_EQ(findMethodItem("mnuFe3Droop"), I::Fe3Droop);
    EXPECT_EQ(findMethodItem("1NNO"), I::NNO1);
    EXPECT_EQ(findMethodItem("BH88TestforTO"), I::BH88TestforTO);
    EXPECT_FALSE(findMethodItem("Fe3Nobody").has_value());
    EXPECT_EQ(methodItemInfo(I::Fe3Droop).caption, "Fe3+ estimation from Droop (1987)  ");
}

TEST(MethodChecks, ItemsToggleIndependently) {
    MethodChecks checks;
    checks.toggle(I::NNO3000);
    checks.toggle(I::NNO3000);
    EXPECT_FALSE(checks.isChecked(I::NNO3000));
    checks.toggle(I::Fe3Droop);
    EXPECT_EQ(checks.checkedNames(), std::vector<std::string>{"mnuFe3Droop"});
}
