#pragma once
// The uncertainty columns of a results row and the error bars of the graphs, from a pair's
// Monte Carlo summary.
//
// Every quantity of uncertainty_quantities.h gets three columns, in the table's order, after
// the last column a row can have (146): its one sigma, then the 2.5th and 97.5th percentiles
// of its draws, headed by the quantity's own header text with " sd", " p2.5" and " p97.5"
// appended ("TAL85S83](oC) sd"), so that scripts find them by name. The columns stand in the
// same place whether the full model was on or not; without it its quantities' fields are empty.

#include <string>
#include <vector>

#include "monte_carlo_run.h"
#include "plot_data_files.h"
#include "results_row.h"

namespace kelvorad {

inline constexpr int kUncertaintyFirstColumn = kResultsRowFieldsWithFullModel;  // 147
inline constexpr int kUncertaintyColumnCount = 3 * static_cast<int>(kUncertaintyQuantityCount);

// The header texts of the uncertainty columns, in column order.
std::vector<std::string> uncertaintyHeaders();

// Appends the uncertainty fields to a results row (TAB-joined fields, no line end, 134 or 147
// of them): empty fields up to column 147, then sd, p2.5 and p97.5 of every quantity. A value
// the draws did not give is an empty field. `pair` holds the statistics of
// kUncertaintyQuantities, in their order.
void appendUncertaintyFields(std::string& row, const PairUncertainty& pair);

// The sigma of each plotted value (kUncertaintyQuantities' order, as above).
PlotSigmas plotSigmas(const PairUncertainty& pair);

}  // namespace kelvorad
