#include "method_options.h"

#include <cmath>

#include "number_text.h"

namespace kelvorad {

namespace {
using I = MethodItem;
using M = MethodMenu;

constexpr std::array<MethodItemInfo, kMethodItemCount> kItems{{
    {I::Fe3Carmichael, "mnuFe3Carmichael", "Fe3+ estimation from Carmichael (1967)", M::Fe3est},
    {I::Fe3Stormer, "mnuFe3Stormer", "Fe3+ estimation from Stormer (1983)", M::Fe3est},
    {I::Fe3Droop, "mnuFe3Droop", "Fe3+ estimation from Droop (1987)  ", M::Fe3est},
    {I::NNO1, "mnu1NNO", "Input 1 (bar) for NNO buffer", M::Pressure},
    {I::NNO1000, "mnu1000NNO", "Input 1000 (bars) for NNO buffer", M::Pressure},
    {I::NNO2000, "mnu2000NNO", "Input 2000 (bars) for NNO buffer", M::Pressure},
    {I::NNO3000, "mnu3000NNO", "Input 3000 (bars) for NNO buffer", M::Pressure},
    {I::NNO5000, "mnu5000NNO", "Input 5000 (bars) for NNO buffer", M::Pressure},
    {I::OtherPressure, "mnuOtherPressure", "Other pressure\u2026", M::Pressure},
    {I::PP77uC67, "mnuPP77uC67",
     "Display T(oC)-logfO2 graph by Powell and Powell (1977) using the calculation method by "
     "Carmichael (1967)",
     M::Method},
    {I::SL81uC67, "mnuSL81uC67",
     "Display T(oC)-logfO2 graph by Spencer and Lindsley (1981) using the calculation method by "
     "Carmichael (1967)",
     M::Method},
    {I::AL85uC67, "mnuAL85uC67",
     "Display T(oC)-logfO2 graph by Andersen and Lindsley (1985) using the calculation method "
     "by Carmichael (1967)",
     M::Method},
    {I::PP77uA68, "mnuPP77uA68",
     "Display T(oC)-logfO2 graph by Powell and Powell (1977) using the calculation method by "
     "Anderson (1968)",
     M::Method},
    {I::SL81uA68, "mnuSL81uA68",
     "Display T(oC)-logfO2 graph by Spencer and Lindsley (1981) using the calculation method by "
     "Anderson (1968)",
     M::Method},
    {I::AL85uA68, "mnuAL85uA68",
     "Display T(oC)-logfO2 graph by Andersen and Lindsley (1985) using the calculation method "
     "by Anderson (1968)",
     M::Method},
    {I::PP77uLS82, "mnuPP77uLS82",
     "Display T(oC)-logfO2 graph by Powell and Powell (1977) using the calculation method by "
     "Lindsley and Spencer (1982)",
     M::Method},
    {I::SL81uLS82, "mnuSL81uLS82",
     "Display T(oC)-logfO2 graph by Spencer and Lindsley (1981) using the calculation method by "
     "Lindsley and Spencer (1982)",
     M::Method},
    {I::AL85uLS82, "mnuAL85uLS82",
     "Display T(oC)-logfO2 graph by Andersen and Lindsley (1985) using the calculation method "
     "by Lindsley and Spencer (1982)",
     M::Method},
    {I::PP77uS83, "mnuPP77uS83",
     "Display T(oC)-logfO2 graph by Powell and Powell (1977) using the calculation method by "
     "Stormer (1983)",
     M::Method},
    {I::SL81uS83, "mnuSL81uS83",
     "Display T(oC)-logfO2 graph by Spencer and Lindsley (1981) using the calculation method by "
     "Stormer (1983)",
     M::Method},
    {I::AL85uS83, "mnuAL85uS83",
     "Display T(oC)-logfO2 graph by Andersen and Lindsley (1985) using the calculation method "
     "by Stormer (1983)",
     M::Method},
    {I::S08uAL85, "mnuS08uAL85",
     "Sauerzapf et al. (2008) thermometer through least-squares using model by Andersen and "
     "Lindsley (1985)",
     M::Temperature},
    {I::GE08uAL85, "mnuGE08uAL85",
     "Ghiorso and Evans (2008) thermometer through least-squares using model by Andersen and "
     "Lindsley (1985)",
     M::Temperature},
    {I::GE08Model, "mnuGE08Model",
     "Ghiorso and Evans (2008) thermodynamic model (full calculation)", M::Temperature},
    {I::S08uLeastSquares, "mnuS08uLeastSquares",
     "DeltaNNO (Sauerzapf et al., 2008) through least-squares using model by Andersen and "
     "Lindsley (1985)",
     M::Oxybarometry},
    {I::GE08uLeastSquares, "mnuGE08uLeastSquares",
     "DeltaNNO (Ghiorso and Evans, 2008) through least-squares using model by Andersen and "
     "Lindsley (1985)",
     M::Oxybarometry},
    {I::S08fO2uLeastSquares, "mnuS08fO2uLeastSquares",
     "log fO2 (Sauerzapf et al., 2008) through least-squares using model by Andersen and "
     "Lindsley (1985)",
     M::Oxybarometry},
    {I::TNNOAL85, "mnuTNNOAL85", "T(oC) - DeltaNNO plot using Andersen and Lindsley (1985) model",
     M::Oxybarometry},
    {I::TNNOS08, "mnuTNNOS08", "T(oC) - DeltaNNO plot using Sauerzapf et al. (2008) model",
     M::Oxybarometry},
    {I::TNNOGE08, "mnuTNNOGE08", "T(oC) - DeltaNNO plot using Ghiorso and Evans (2008) model",
     M::Oxybarometry},
    {I::BH88TestforTO, "mnuBH88TestforTO",
     "Use Bacon and Hirschmann (1988) test for geothermometer and oxygen barometer", M::BH88Test},
}};

constexpr std::array<MethodItem, 12> kPlotMethodItems{
    I::PP77uC67,  I::SL81uC67,  I::AL85uC67,  I::PP77uA68, I::SL81uA68, I::AL85uA68,
    I::PP77uLS82, I::SL81uLS82, I::AL85uLS82, I::PP77uS83, I::SL81uS83, I::AL85uS83};

// Panel 6 captions, one per plot-method item in the same order.
constexpr std::array<std::string_view, 12> kPlotMethodCaptions{
    "Powell & Powell (1977) using Carmichael (1967)",
    "Spencer & Lindsley (1981) using Carmichael (1967)",
    "Anderson & Lindsley (1985) using Carmichael (1967)",
    "Powell & Powell (1977) using Anderson (1968)",
    "Spencer & Lindsley (1981) using Anderson (1968)",
    "Anderson & Lindsley (1985) using Anderson (1968)",
    "Powell & Powell (1977) using Lindsley and Spencer (1982)",
    "Spencer & Lindsley (1981) using Lindsley and Spencer (1982)",
    "Anderson & Lindsley (1985) using Lindsley and Spencer (1982)",
    "Powell & Powell (1977) using Stormer (1983)",
    "Spencer & Lindsley (1981) using Stormer (1983)",
    "Anderson & Lindsley (1985) using Stormer (1983)"};
}  // namespace

const std::array<MethodItemInfo, kMethodItemCount>& methodItems() {
    return kItems;
}

const MethodItemInfo& methodItemInfo(MethodItem item) {
    for (const auto& info : kItems) {
        if (info.item == item) return info;
    }
    return kItems.front();
}

std::optional<MethodItem> findMethodItem(std::string_view name) {
    for (const auto& info : kItems) {
        if (info.name == name || info.name.substr(3) == name) return info.item;
    }
    return std::nullopt;
}

const std::array<MethodItem, 12>& plotMethodItems() {
    return kPlotMethodItems;
}

std::vector<std::string> MethodChecks::checkedNames() const {
    std::vector<std::string> names;
    for (const auto& info : kItems) {
        if (isChecked(info.item)) names.emplace_back(info.name);
    }
    return names;
}

bool isPressureInRange(double bars) {
    return bars >= kLowestPressureBars && bars <= kHighestPressureBars;
}

MethodChecks startingMethodChecks() {
    MethodChecks checks;
    checks.setChecked(I::GE08Model, true);
    return checks;
}

int nearestBufferPressureBars(double bars) {
    constexpr std::array<int, 5> kBufferPressures{1, 1000, 2000, 3000, 5000};
    int nearest = kBufferPressures.front();
    for (int p : kBufferPressures) {
        if (std::abs(bars - p) < std::abs(bars - nearest)) nearest = p;
    }
    return nearest;
}

namespace {
std::string barsText(double bars) {
    std::string text;
    appendNumber(text, bars);
    text.append(bars == 1.0 ? " bar" : " bars");
    return text;
}
}  // namespace

RunChoices applyRunStartSteps(MethodChecks& checks) {
    RunChoices choices;
    checks.setChecked(I::Fe3Stormer, true);
    checks.setChecked(I::NNO2000, true);
    checks.setChecked(I::AL85uS83, true);
    checks.setChecked(I::TNNOAL85, true);
    // "Other pressure" without a pressure in range has nothing to give.
    const std::optional<double> other = checks.otherPressureBars();
    if (checks.isChecked(I::OtherPressure) && !(other && isPressureInRange(*other))) {
        checks.setChecked(I::OtherPressure, false);
    }

    // Pressure: any other checked item unchecks the 2000-bar default; the last checked wins.
    if (checks.isChecked(I::NNO1)) choices.pressureBars = 1, checks.setChecked(I::NNO2000, false);
    if (checks.isChecked(I::NNO1000)) {
        choices.pressureBars = 1000, checks.setChecked(I::NNO2000, false);
    }
    if (checks.isChecked(I::NNO2000)) choices.pressureBars = 2000;
    if (checks.isChecked(I::NNO3000)) {
        choices.pressureBars = 3000, checks.setChecked(I::NNO2000, false);
    }
    if (checks.isChecked(I::NNO5000)) {
        choices.pressureBars = 5000, checks.setChecked(I::NNO2000, false);
    }
    choices.modelPressureBars = choices.pressureBars;
    if (checks.isChecked(I::OtherPressure)) {
        // The older calibrations know only the five buffer pressures: they take the nearest.
        choices.modelPressureBars = *other;
        choices.pressureBars = nearestBufferPressureBars(*other);
        checks.setChecked(I::NNO2000, false);
    }
    choices.fullModel = checks.isChecked(I::GE08Model);

    // Ferric iron: Stormer is the default; Carmichael, then Droop, override it.
    if (checks.isChecked(I::Fe3Stormer)) {
        choices.scheme = FerricScheme::Stormer, choices.ferricIronCaption = "Stormer (1983)";
    }
    if (checks.isChecked(I::Fe3Carmichael)) {
        choices.scheme = FerricScheme::Carmichael, choices.ferricIronCaption = "Carmichael (1967)";
        checks.setChecked(I::Fe3Stormer, false);
    }
    if (checks.isChecked(I::Fe3Droop)) {
        choices.scheme = FerricScheme::Droop, choices.ferricIronCaption = "Droop (1987)";
        checks.setChecked(I::Fe3Stormer, false);
    }

    choices.nnoPressureCaption = "NNO (2000 bars)";
    if (checks.isChecked(I::NNO1)) choices.nnoPressureCaption = "NNO (1 bar)";
    if (checks.isChecked(I::NNO1000)) choices.nnoPressureCaption = "NNO (1000 bars)";
    if (checks.isChecked(I::NNO3000)) choices.nnoPressureCaption = "NNO (3000 bars)";
    if (checks.isChecked(I::NNO5000)) choices.nnoPressureCaption = "NNO (5000 bars)";
    if (checks.isChecked(I::OtherPressure)) {
        choices.nnoPressureCaption = "NNO (";
        choices.nnoPressureCaption.append(barsText(choices.pressureBars))
            .append(", the nearest to ")
            .append(barsText(choices.modelPressureBars))
            .append(")");
    }
    choices.fullModelCaption = "Ghiorso and Evans (2008) model ";
    if (choices.fullModel) {
        choices.fullModelCaption.append("at ").append(barsText(choices.modelPressureBars));
    } else {
        choices.fullModelCaption.append("off");
    }

    for (std::size_t k = 0; k < kPlotMethodItems.size(); ++k) {
        if (checks.isChecked(kPlotMethodItems[k]))
            choices.plotMethodCaption = kPlotMethodCaptions[k];
    }
    choices.magnetiteOxygenCaption = "4 oxygen";
    choices.ilmeniteOxygenCaption = "3 oxygen";
    return choices;
}

}  // namespace kelvorad
