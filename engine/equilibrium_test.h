#pragma once
// Equilibrium between magnetite and ilmenite by the Mg/Mn partitioning criterion of Bacon and
// Hirschmann (1988), Am. Mineral. 73, 57-61, and the divalent and trivalent cation sums of the
// Ti - R2+ - R3+ plot.

#include <string_view>

#include "number_text.h"
#include "oxide_data.h"

namespace kelvorad {

struct CationSums {
    double r2;  // Fe2+ + Mg + Mn + Zn + Ca + Ba + Ni, summed in this order
    double r3;  // Fe3+ + V + Cr + Al, summed in this order
};

// Divalent and trivalent cations of one mineral (Na, K, Nb and Si enter neither sum).
CationSums cationSums(const OxideValues& cations);

// log10(Mg/Mn) of one mineral's cations, as ln(Mg/Mn) / 2.30258509299; 0 when Mn <= 0 or
// Mg <= 0; missing when either cation is missing.
double logMgMn(const OxideValues& cations);

struct EquilibriumLimits {
    double lower;  // 0.9281708299 L - 0.1638223584
    double upper;  // 0.942917093 L - 0.00624856612
};

// The band of magnetite log(Mg/Mn) in equilibrium with an ilmenite of log(Mg/Mn) = L.
EquilibriumLimits equilibriumLimits(double ilmeniteLogMgMn);

// True when lower <= magnetite log(Mg/Mn) <= upper, both bounds inclusive; a missing value
// fails.
bool passesEquilibriumTest(double magnetiteLogMgMn, double ilmeniteLogMgMn);

enum class EquilibriumVerdict { Passed, Failed, NotTested };

// The test of one pair from the cations of both phases. The criterion compares log(Mg/Mn) of
// the two phases, which is undefined when Mg or Mn is zero, negative or missing in either of
// them: such a pair is not tested (rather than judged on a log(Mg/Mn) of 0).
EquilibriumVerdict equilibriumVerdict(const OxideValues& magnetite, const OxideValues& ilmenite);

// "Passed", "Failed" or "Not tested", as the results row shows it.
std::string_view equilibriumVerdictText(EquilibriumVerdict verdict);

}  // namespace kelvorad
