#pragma once
// The results row of a pair: 134 fields joined by TAB, in the column order of the results
// table. Numbers in general format with up to 15 significant digits; a missing or withdrawn
// value is an empty field; columns 37, 75, 96, 111, 125 and 132 are always empty.

#include <string>

#include "pair_result.h"

namespace kelvorad {

inline constexpr int kResultsRowFields = 134;
// With the full Ghiorso and Evans (2008) model: column 134 empty as a group separator, then
// T, log fO2, DeltaNNO, aTiO2, Fe-Mg T and the model's status in columns 135 to 140.
inline constexpr int kResultsRowFieldsWithFullModel = 141;

// Appends the row's fields (no line end) to `out`: 134 fields, or 141 when the pair carries the
// full model's results.
void appendResultsRow(std::string& out, const PairResult& result);

std::string resultsRow(const PairResult& result);

}  // namespace kelvorad
