#pragma once
// The results row of a pair: 134 fields joined by TAB, in the column order of the results
// table. Numbers in general format with up to 15 significant digits; a missing or withdrawn
// value is an empty field; columns 37, 75, 96, 111, 125 and 132 are always empty.

#include <string>

#include "pair_result.h"

namespace kelvorad {

inline constexpr int kResultsRowFields = 134;
// With the full Ghiorso and Evans (2008) model the row goes on (column: field):
//   134 empty, a group separator
//   135-140 the model's T, log fO2, DeltaNNO, aTiO2, Fe-Mg T and status
//   141 empty, a group separator
//   142 the model's DeltaFMQ; 143-146 DeltaFMQ of the Andersen and Lindsley (1985) log fO2
//       with C67, A68, LS82 and S83 fractions
// Columns added later go on from here, and into ResultsTable::fullModelHeaders().
inline constexpr int kDeltaFMQFullModelColumn = 142;
inline constexpr int kDeltaFMQAL85FirstColumn = 143;
inline constexpr int kResultsRowFieldsWithFullModel = 147;

// Appends the row's fields (no line end) to `out`: 134 fields, or 147 when the pair carries the
// full model's results.
void appendResultsRow(std::string& out, const PairResult& result);

std::string resultsRow(const PairResult& result);

}  // namespace kelvorad
