#pragma once
// Isotherms of the full Ghiorso and Evans (2008) model on the Roozeboom plot: the curves of
// coexisting binary magnetite (Xusp) and ilmenite (Xilm) along which the model's Fe-Ti exchange
// temperature has one value.

#include <span>
#include <vector>

namespace kelvorad {

// The pressure of the isotherms (bar).
inline constexpr double kRoozeboomPressureBars = 2000.0;

struct CompositionPoint {
    double xUsp, xIlm;
};
using CompositionLine = std::vector<CompositionPoint>;

// The full model's Fe-Ti temperature (C) at kRoozeboomPressureBars of the pair whose magnetite
// is xUsp Fe2TiO4 + (1 - xUsp) Fe3O4 and whose ilmenite is xIlm FeTiO3 + (1 - xIlm) Fe2O3; NaN
// unless the model converges (it does not for 0 or 1, and gives "no root" where its
// temperature would lie outside 500-2500 K).
double fullModelRoozeboomTemperature(double xUsp, double xIlm);

// For each of `temperaturesC`, the unbroken lines of its isotherm over Xusp 0.01-0.98 and
// Xilm 0.40-0.998 (a closed line starts and ends at the same point).
std::vector<std::vector<CompositionLine>> fullModelIsotherms(std::span<const double> temperaturesC);

}  // namespace kelvorad
