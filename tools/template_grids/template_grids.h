#pragma once
// The fixed curves some graph templates draw under the plot data, computed with the engine's
// own equations and shipped as gnuplot data files beside the templates:
//   - isopleths of constant Xusp and Xilm in T - log fO2 space (Andersen and Lindsley 1985,
//     Spencer and Lindsley 1981), the grid a coexisting magnetite-ilmenite pair is read on;
//   - isotherms on the Roozeboom plot (Xusp against Xilm): of the full Ghiorso and Evans (2008)
//     thermodynamic model at 2000 bar, and of the Sauerzapf et al. (2008) temperature and the
//     GE08 regression as the engine evaluates them;
//   - the two limit lines of the Bacon and Hirschmann (1988) equilibrium test.
// Every file is plain text with LF line ends: "#" comment lines, numbers with "." whatever the
// locale, curves as blocks separated by one blank line, data sets (gnuplot's "index")
// separated by two blank lines.

#include <array>
#include <string>
#include <string_view>

namespace kelvorad {

struct TemplateGridFile {
    std::string_view fileName;
    std::string (*contents)();
};

// Every grid file the templates read, by name, with the function that writes its text.
const std::array<TemplateGridFile, 6>& templateGridFiles();

enum class RoozeboomModel {
    Sauerzapf2008,              // the engine's TS08 (fitted table)
    GhiorsoEvans2008,           // the GE08 regression, the engine's TGE08
    GhiorsoEvans2008FullModel,  // the full thermodynamic model at 2000 bar
};

// Temperature (C) the engine gives a pair whose magnetite is the ulvospinel-magnetite binary
// of mole fraction xUsp and whose ilmenite is the ilmenite-hematite binary of mole fraction
// xIlm (for binary phases every fraction scheme of the engine gives these same fractions, and
// the full model's projection gives these end-members). NaN where the model gives nothing.
double roozeboomTemperature(RoozeboomModel model, double xUsp, double xIlm);

}  // namespace kelvorad
