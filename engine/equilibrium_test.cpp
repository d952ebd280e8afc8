#include "equilibrium_test.h"

#include <cmath>

#include "number_text.h"

namespace kelvorad {

CationSums cationSums(const OxideValues& c) {
    return {c[Fe2] + c[Mg] + c[Mn] + c[Zn] + c[Ca] + c[Ba] + c[Ni], c[Fe3] + c[V] + c[Cr] + c[Al]};
}

double logMgMn(const OxideValues& c) {
    if (isMissing(c[Mg]) || isMissing(c[Mn])) return kMissing;
    if (c[Mn] > 0 && c[Mg] > 0) return std::log(c[Mg] / c[Mn]) / 2.30258509299;
    return 0.0;
}

EquilibriumLimits equilibriumLimits(double l) {
    return {0.9281708299 * l - 0.1638223584, 0.942917093 * l - 0.00624856612};
}

bool passesEquilibriumTest(double magnetiteLogMgMn, double ilmeniteLogMgMn) {
    const EquilibriumLimits limits = equilibriumLimits(ilmeniteLogMgMn);
    return limits.lower <= magnetiteLogMgMn && magnetiteLogMgMn <= limits.upper;
}

namespace {
bool hasMgAndMn(const OxideValues& c) {
    return c[Mg] > 0 && c[Mn] > 0;  // false for a missing (NaN) cation
}
}  // namespace

EquilibriumVerdict equilibriumVerdict(const OxideValues& magnetite, const OxideValues& ilmenite) {
    if (!hasMgAndMn(magnetite) || !hasMgAndMn(ilmenite)) return EquilibriumVerdict::NotTested;
    return passesEquilibriumTest(logMgMn(magnetite), logMgMn(ilmenite))
               ? EquilibriumVerdict::Passed
               : EquilibriumVerdict::Failed;
}

std::string_view equilibriumVerdictText(EquilibriumVerdict verdict) {
    switch (verdict) {
        case EquilibriumVerdict::Passed:
            return "Passed";
        case EquilibriumVerdict::Failed:
            return "Failed";
        case EquilibriumVerdict::NotTested:
            break;
    }
    return "Not tested";
}

}  // namespace kelvorad
