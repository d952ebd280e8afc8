#include "calibration_uncertainty.h"

namespace kelvorad {

std::string calibrationText(const CalibrationUncertainty& entry) {
    std::string text = isStated(entry)
                           ? "+/- " + formatNumber(entry.value) + " " + std::string(entry.unit)
                           : std::string("none stated");
    return text + " (" + std::string(entry.source) + ")";
}

}  // namespace kelvorad
