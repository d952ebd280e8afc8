#pragma once
// The calibration uncertainty of each model as its authors published it: how well the model
// reproduces the experiments it was fitted to. It is a property of the model, not of an
// analysis, and is reported beside the propagated analytical uncertainty, never added to it.
//
// A value is given only where it has been checked against its published source; every other
// entry is missing and reads "none stated". Kelvorad's regressions onto other results (the
// GE08 regression columns) are fitted curves without a published fit error.

#include <array>
#include <string>
#include <string_view>

#include "number_text.h"

namespace kelvorad {

struct CalibrationUncertainty {
    std::string_view model;     // "AL85", "S08", "GE08 regression", "GE08 model"
    std::string_view quantity;  // "T", "log fO2", "DeltaNNO"
    double value;               // one sigma in `unit`; missing when none is stated
    std::string_view unit;      // "oC" or "log units"
    std::string_view source;    // the publication the value belongs to
};

inline constexpr std::array kCalibrationUncertainties{
    CalibrationUncertainty{"AL85", "T", kMissing, "oC",
                           "Andersen and Lindsley (1985), EOS 66, 416"},
    CalibrationUncertainty{"AL85", "log fO2", kMissing, "log units",
                           "Andersen and Lindsley (1985), EOS 66, 416"},
    CalibrationUncertainty{"S08", "T", kMissing, "oC",
                           "Sauerzapf et al. (2008), J. Petrol. 49, 1161-1185"},
    CalibrationUncertainty{"S08", "DeltaNNO", kMissing, "log units",
                           "Sauerzapf et al. (2008), J. Petrol. 49, 1161-1185"},
    CalibrationUncertainty{"GE08 regression", "T", kMissing, "oC",
                           "Kelvorad's regression on the Sauerzapf et al. (2008) grid"},
    CalibrationUncertainty{"GE08 regression", "DeltaNNO", kMissing, "log units",
                           "Kelvorad's regression on the Sauerzapf et al. (2008) grid"},
    CalibrationUncertainty{"GE08 model", "T", kMissing, "oC",
                           "Ghiorso and Evans (2008), Am. J. Sci. 308, 957-1039"},
    CalibrationUncertainty{"GE08 model", "log fO2", kMissing, "log units",
                           "Ghiorso and Evans (2008), Am. J. Sci. 308, 957-1039"},
};

// True when the entry carries a published value.
inline bool isStated(const CalibrationUncertainty& entry) {
    return !isMissing(entry.value);
}

// "+/- 30 oC (source)" for a stated value, "none stated (source)" otherwise.
std::string calibrationText(const CalibrationUncertainty& entry);

}  // namespace kelvorad
