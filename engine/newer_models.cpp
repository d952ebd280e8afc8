#include "newer_models.h"

#include "newer_model_grids.h"
#include "safe_math.h"

namespace kelvorad {

using safe::div;

NewerModelOptions NewerModelOptions::fromChecks(const MethodChecks& checks) {
    NewerModelOptions o;
    o.s08TemperatureFromAL85 = checks.isChecked(MethodItem::S08uAL85);
    o.ge08TemperatureFromAL85 = checks.isChecked(MethodItem::GE08uAL85);
    o.s08DeltaNNOFromAL85 = checks.isChecked(MethodItem::S08uLeastSquares);
    o.ge08DeltaNNOFromAL85 = checks.isChecked(MethodItem::GE08uLeastSquares);
    o.s08LogFO2FromAL85 = checks.isChecked(MethodItem::S08fO2uLeastSquares);
    return o;
}

namespace {

template <std::size_t N>
int lastMatchingRow(const std::array<GridRow, N>& grid, double value) {
    int found = -1;
    for (std::size_t k = 0; k < N; ++k) {
        if (grid[k].lower < value && value <= grid[k].upper) found = static_cast<int>(k);
    }
    return found;
}

double cubic(const GridRow& row, double x) {
    return row.c0 + row.c1 * x + row.c2 * (x * x) + row.c3 * (x * x * x);
}

// The shift of the 1-bar DeltaNNO grid to the run's NNO pressure (log units, bars): a fixed
// step per pressure of the Buffer menu.
double pressureShift(double pressureBars) {
    if (pressureBars == 5000) return 0.1;
    if (pressureBars == 3000) return 0.06;
    if (pressureBars == 2000) return 0.04;
    if (pressureBars == 1000) return 0.02;
    return 0.0;
}

}  // namespace

int temperatureGridRow(double gridXusp) {
    return lastMatchingRow(kTemperatureGrid, gridXusp);
}
int deltaNNOGridRow(double temperatureC) {
    return lastMatchingRow(kDeltaNNOGrid, temperatureC);
}

NewerModels computeNewerModels(const OxideValues& m, const OxideValues& i,
                               const AL85StormerResults& al85, double pressureBars,
                               const NewerModelOptions& options) {
    NewerModels r;
    r.gridXusp = div(m[Ti], m[Ti] + m[Fe3] / 2);
    r.gridXilm = div(i[Fe2], i[Fe2] + i[Fe3] / 2);

    const int tRow = temperatureGridRow(r.gridXusp);
    if (tRow >= 0) r.tS08 = safe::checked(cubic(kTemperatureGrid[tRow], r.gridXilm));
    const int dRow = deltaNNOGridRow(r.tS08);
    if (dRow >= 0) r.deltaNNOS08 = safe::checked(cubic(kDeltaNNOGrid[dRow], r.gridXusp));
    r.deltaNNOS08 += pressureShift(pressureBars);

    // fO2S08: DeltaNNO_S08 put back on the absolute scale with the NNO buffer the thermometry
    // columns use, log fO2 = 9.36 - 24930 / T + 0.046 (P - 1) / T (P in bars), at TS08 with
    // T = TS08 + 273 K (273, not 273.15, as the grids were fitted).
    r.logFO2S08 = safe::checked(r.deltaNNOS08 + 9.36 - div(24930, r.tS08 + 273) +
                                div(0.046 * (pressureBars - 1), r.tS08 + 273));
    // GE08 estimates from the S08 grid values, not from the GE08 model itself: a straight line
    // TGE08 (C) = 1.098258692 TS08 - 67.18937519 and a quadratic in DeltaNNO_S08, regressions
    // that carry the grid values over to what the GE08 calibration gives for the same pairs.
    r.tGE08 = safe::checked(1.098258692 * r.tS08 - 67.18937519);
    r.deltaNNOGE08 = safe::checked(-0.5806296664 + 1.083216766 * r.deltaNNOS08 -
                                   0.1011931202 * (r.deltaNNOS08 * r.deltaNNOS08));

    // The menu's "through least-squares" options: polynomials fitted by least squares that map
    // the Andersen and Lindsley (1985) results of the Stormer (1983) fractions (T in C, DeltaNNO
    // and log fO2 in log units) onto the S08 or GE08 calibration, each replacing only its own
    // quantity. They carry no pressure shift.
    const double t = al85.temperatureC;
    const double d = al85.deltaNNO;
    const double f = al85.logFO2;
    if (options.s08TemperatureFromAL85) r.tS08 = safe::checked(1.333684675 * t - 298.5394698);
    if (options.ge08TemperatureFromAL85) r.tGE08 = safe::checked(1.488848609 * t - 419.5972865);
    if (options.s08DeltaNNOFromAL85) {
        r.deltaNNOS08 = safe::checked(0.5944018153 + 0.8444228672 * d + 0.08633227758 * (d * d));
    }
    if (options.ge08DeltaNNOFromAL85) {
        r.deltaNNOGE08 = safe::checked(0.9915722227 * d - 0.04250376917);
    }
    if (options.s08LogFO2FromAL85) {
        r.logFO2S08 = safe::checked(51.23346114 + 10.56686518 * f + 0.5606740944 * (f * f) +
                                    0.01001018497 * (f * f * f));
    }
    return r;
}

}  // namespace kelvorad
