#include "newer_models.h"

#include <gtest/gtest.h>

#include "newer_model_grids.h"

using namespace kelvorad;

namespace {
// Magnetite cations with a chosen grid Xusp = Ti / (Ti + Fe3+/2), and an ilmenite with a
// chosen grid Xilm = Fe2+ / (Fe2+ + Fe3+/2).
OxideValues magnetiteWithGridXusp(double x) {
    OxideValues c{};
    c[Ti] = x;
    c[Fe3] = 2 * (1 - x);
    return c;
}
OxideValues ilmeniteWithGridXilm(double y) {
    OxideValues c{};
    c[Fe2] = y;
    c[Fe3] = 2 * (1 - y);
    return c;
}
const AL85StormerResults kAL85{850.0, -12.5, 0.8};
}  // namespace

TEST(TemperatureGrid, BandEdgesBelongToTheLowerBand) {
    EXPECT_EQ(temperatureGridRow(0.08), 0);
    EXPECT_EQ(temperatureGridRow(0.0800001), 1);
    EXPECT_EQ(temperatureGridRow(0.1), 2);  // 0.09 < X <= 0.1
    EXPECT_EQ(temperatureGridRow(0.95), 87);
    EXPECT_EQ(temperatureGridRow(0.9500001), 88);
    EXPECT_EQ(temperatureGridRow(-3.0), 0);  // no range check: extrapolated
    EXPECT_EQ(temperatureGridRow(7.0), 88);
    EXPECT_EQ(temperatureGridRow(kMissing), -1);
}

TEST(DeltaNNOGrid, LaterBandRowsOverrideTheOpenRow) {
    EXPECT_EQ(deltaNNOGridRow(600), 0);
    EXPECT_EQ(deltaNNOGridRow(620), 1);
    EXPECT_EQ(deltaNNOGridRow(1220), 31);
    EXPECT_EQ(deltaNNOGridRow(1230), 33);
    EXPECT_EQ(deltaNNOGridRow(1300), 36);
    EXPECT_EQ(deltaNNOGridRow(1350), 32);
    EXPECT_EQ(kDeltaNNOGrid[32].c0, kDeltaNNOGrid[33].c0);
    EXPECT_EQ(kDeltaNNOGrid[32].c2, kDeltaNNOGrid[33].c2);
}

TEST(TemperatureGrid, IdenticalRowsAsPublished) {
    EXPECT_EQ(kTemperatureGrid[82].c1, kTemperatureGrid[83].c1);
    EXPECT_EQ(kTemperatureGrid[86].c3, kTemperatureGrid[87].c3);
    EXPECT_EQ(kTemperatureGrid[88].c3, 0.0);
}

TEST(NewerModels, GridValuesFollowTheCubics) {
    const double x = 0.40, y = 0.90;
    const NewerModels r = computeNewerModels(magnetiteWithGridXusp(x), ilmeniteWithGridXilm(y),
                                             kAL85, 1, NewerModelOptions{});
    EXPECT_DOUBLE_EQ(r.gridXusp, x);
    EXPECT_DOUBLE_EQ(r.gridXilm, y);
    const GridRow& t = kTemperatureGrid[32];  // row 33: 0.39 < X <= 0.4
    const double ts = t.c0 + t.c1 * y + t.c2 * y * y + t.c3 * y * y * y;
    EXPECT_NEAR(r.tS08, ts, 1e-9);
    const GridRow& d = kDeltaNNOGrid[deltaNNOGridRow(ts)];
    const double dn = d.c0 + d.c1 * x + d.c2 * x * x + d.c3 * x * x * x;
    EXPECT_NEAR(r.deltaNNOS08, dn, 1e-12);
    EXPECT_NEAR(r.logFO2S08, dn + 9.36 - 24930 / (ts + 273), 1e-12);
    EXPECT_NEAR(r.tGE08, 1.098258692 * ts - 67.18937519, 1e-9);
    EXPECT_NEAR(r.deltaNNOGE08, -0.5806296664 + 1.083216766 * dn - 0.1011931202 * dn * dn, 1e-12);
}

TEST(NewerModels, PressureShiftEntersBeforeTheFugacity) {
    const auto at = [](double pressure) {
        return computeNewerModels(magnetiteWithGridXusp(0.3), ilmeniteWithGridXilm(0.85), kAL85,
                                  pressure, NewerModelOptions{});
    };
    const NewerModels oneBar = at(1);
    const std::pair<double, double> shifts[] = {
        {1000, 0.02}, {2000, 0.04}, {3000, 0.06}, {5000, 0.1}};
    for (auto [pressure, shift] : shifts) {
        const NewerModels r = at(pressure);
        EXPECT_NEAR(r.deltaNNOS08 - oneBar.deltaNNOS08, shift, 1e-12) << pressure;
        EXPECT_NEAR(r.logFO2S08 - oneBar.logFO2S08, shift + 0.046 * (pressure - 1) / (r.tS08 + 273),
                    1e-12);
        EXPECT_EQ(r.tS08, oneBar.tS08);
    }
}

TEST(NewerModels, EachRegressionAloneReplacesOnlyItsOwnQuantity) {
    const OxideValues m = magnetiteWithGridXusp(0.3);
    const OxideValues i = ilmeniteWithGridXilm(0.85);
    const NewerModels grid = computeNewerModels(m, i, kAL85, 2000, {});
    const double t = kAL85.temperatureC, d = kAL85.deltaNNO, f = kAL85.logFO2;

    NewerModelOptions o;
    o.s08TemperatureFromAL85 = true;
    NewerModels r = computeNewerModels(m, i, kAL85, 2000, o);
    EXPECT_DOUBLE_EQ(r.tS08, 1.333684675 * t - 298.5394698);
    EXPECT_EQ(r.tGE08, grid.tGE08);
    EXPECT_EQ(r.logFO2S08, grid.logFO2S08);

    o = {};
    o.ge08TemperatureFromAL85 = true;
    r = computeNewerModels(m, i, kAL85, 2000, o);
    EXPECT_DOUBLE_EQ(r.tGE08, 1.488848609 * t - 419.5972865);
    EXPECT_EQ(r.tS08, grid.tS08);

    o = {};
    o.s08DeltaNNOFromAL85 = true;
    r = computeNewerModels(m, i, kAL85, 2000, o);
    EXPECT_DOUBLE_EQ(r.deltaNNOS08, 0.5944018153 + 0.8444228672 * d + 0.08633227758 * (d * d));
    EXPECT_EQ(r.deltaNNOGE08, grid.deltaNNOGE08);  // still from the grid DeltaNNO_S08

    o = {};
    o.ge08DeltaNNOFromAL85 = true;
    r = computeNewerModels(m, i, kAL85, 2000, o);
    EXPECT_DOUBLE_EQ(r.deltaNNOGE08, 0.9915722227 * d - 0.04250376917);
    EXPECT_EQ(r.deltaNNOS08, grid.deltaNNOS08);

    o = {};
    o.s08LogFO2FromAL85 = true;
    r = computeNewerModels(m, i, kAL85, 2000, o);
    EXPECT_DOUBLE_EQ(r.logFO2S08, 51.23346114 + 10.56686518 * f + 0.5606740944 * (f * f) +
                                      0.01001018497 * (f * f * f));
    EXPECT_EQ(r.tS08, grid.tS08);
}

TEST(NewerModels, AllFiveRegressionsLeaveNoGridValue) {
    NewerModelOptions all{true, true, true, true, true};
    const NewerModels r = computeNewerModels(magnetiteWithGridXusp(0.3), ilmeniteWithGridXilm(0.85),
                                             kAL85, 5000, all);
    const NewerModels fromOtherGrid =
        computeNewerModels(magnetiteWithGridXusp(0.7), ilmeniteWithGridXilm(0.6), kAL85, 5000, all);
    EXPECT_EQ(r.tS08, fromOtherGrid.tS08);
    EXPECT_EQ(r.tGE08, fromOtherGrid.tGE08);
    EXPECT_EQ(r.logFO2S08, fromOtherGrid.logFO2S08);
    EXPECT_EQ(r.deltaNNOS08, fromOtherGrid.deltaNNOS08);
    EXPECT_EQ(r.deltaNNOGE08, fromOtherGrid.deltaNNOGE08);
}

TEST(NewerModels, UndefinedGridFractionLeavesTheGridValuesMissing) {
    const NewerModels r =
        computeNewerModels(OxideValues{}, ilmeniteWithGridXilm(0.85), kAL85, 2000, {});
    EXPECT_TRUE(isMissing(r.gridXusp));
    EXPECT_TRUE(isMissing(r.tS08));
    EXPECT_TRUE(isMissing(r.deltaNNOS08));
    EXPECT_TRUE(isMissing(r.logFO2S08));
    EXPECT_TRUE(isMissing(r.tGE08));
}
