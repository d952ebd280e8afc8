#pragma once
// Quick estimates of temperature and oxygen fugacity after two newer calibrations, from fitted
// polynomials rather than from either calibration's own equations:
//   S08  Sauerzapf, Lattard, Burchard and Engelmann (2008), J. Petrol. 49, 1161-1185
//   GE08 Ghiorso and Evans (2008), Am. J. Sci. 308, 957-1039
// The S08 temperature and DeltaNNO come from two constant tables of piecewise cubics over the
// grid fractions (newer_model_grids.h). The GE08 temperature and DeltaNNO are regressions on
// those S08 grid values, and each quantity can instead be taken from a least-squares regression
// on the Andersen and Lindsley (1985) results of the Stormer (1983) fractions. None of these is
// the GE08 thermodynamic model: that one is computed in full by ge08/ (its own columns).

#include "method_options.h"
#include "number_text.h"
#include "oxide_data.h"

namespace kelvorad {

struct NewerModelOptions {
    bool s08TemperatureFromAL85 = false;   // mnuS08uAL85
    bool ge08TemperatureFromAL85 = false;  // mnuGE08uAL85
    bool s08DeltaNNOFromAL85 = false;      // mnuS08uLeastSquares
    bool ge08DeltaNNOFromAL85 = false;     // mnuGE08uLeastSquares
    bool s08LogFO2FromAL85 = false;        // mnuS08fO2uLeastSquares

    static NewerModelOptions fromChecks(const MethodChecks& checks);
};

// The Andersen and Lindsley (1985) results of the Stormer (1983) fractions the regressions use.
struct AL85StormerResults {
    double temperatureC;
    double logFO2;
    double deltaNNO;
};

struct NewerModels {
    double gridXusp = kMissing;  // Ti / (Ti + Fe3+/2), magnetite
    double gridXilm = kMissing;  // Fe2+ / (Fe2+ + Fe3+/2), ilmenite
    double tS08 = kMissing;      // C
    double tGE08 = kMissing;     // C
    double logFO2S08 = kMissing;
    double deltaNNOS08 = kMissing;
    double deltaNNOGE08 = kMissing;
};

// The index (0-based) of the grid row that stands for `value`: every row whose band holds the
// value assigns in turn, so the last matching row wins. -1 when none matches (a missing value).
int temperatureGridRow(double gridXusp);
int deltaNNOGridRow(double temperatureC);

// Grid and regression values for one pair, in the published order: grid fractions, grid
// temperature, grid DeltaNNO with its pressure shift, fO2S08, TGE08 and DeltaNNO_GE08 from the
// grid values, then each checked regression replacing its own quantity.
NewerModels computeNewerModels(const OxideValues& magnetiteCations,
                               const OxideValues& ilmeniteCations, const AL85StormerResults& al85,
                               double pressureBars, const NewerModelOptions& options);

}  // namespace kelvorad
