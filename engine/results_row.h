#pragma once
// The results row of a pair: 134 fields joined by TAB, in the column order of the results
// table. Numbers in general format with up to 15 significant digits; a missing or withdrawn
// value is an empty field; columns 37, 75, 96, 111, 125 and 132 are always empty.

#include <string>

#include "pair_result.h"

namespace kelvorad {

inline constexpr int kResultsRowFields = 134;

// Appends the row's fields (no line end) to `out`.
void appendResultsRow(std::string& out, const PairResult& result);

std::string resultsRow(const PairResult& result);

}  // namespace kelvorad
