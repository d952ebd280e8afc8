#pragma once
// One analysis pair: a magnetite and an ilmenite analysis, sample name and sixteen oxides
// (wt%) each, as read from a row of the analysis table.

#include <string>
#include <string_view>

#include "number_text.h"
#include "oxide_data.h"

namespace kelvorad {

struct MineralAnalysis {
    std::string sample;
    OxideValues wt{};  // wt%, oxide order of kOxides
};

struct AnalysisPair {
    MineralAnalysis magnetite;
    MineralAnalysis ilmenite;
};

// The 35 analysis cells of a table row, columns 1 to 35: magnetite sample, sixteen magnetite
// oxides, the spacer, ilmenite sample, sixteen ilmenite oxides.
inline constexpr int kPairCellCount = 35;

// Reads a pair from its 35 cells (cell k is table column k + 1). Oxide cells are read as their
// leading decimal number (empty or non-numeric text reads as 0); sample cells as they are.
// Missing trailing cells read as empty.
template <typename CellAt>
AnalysisPair readAnalysisPair(CellAt&& cell);

// True when all 35 analysis cells are blank: such a row holds no pair and is skipped.
template <typename CellAt>
bool isBlankPairRow(CellAt&& cell);

template <typename CellAt>
AnalysisPair readAnalysisPair(CellAt&& cell) {
    AnalysisPair pair;
    pair.magnetite.sample = std::string(cell(0));
    for (int k = 0; k < kOxideCount; ++k) pair.magnetite.wt[k] = parseLeadingNumber(cell(1 + k));
    pair.ilmenite.sample = std::string(cell(18));
    for (int k = 0; k < kOxideCount; ++k) pair.ilmenite.wt[k] = parseLeadingNumber(cell(19 + k));
    return pair;
}

template <typename CellAt>
bool isBlankPairRow(CellAt&& cell) {
    for (int k = 0; k < kPairCellCount; ++k) {
        if (!isBlank(cell(k))) return false;
    }
    return true;
}

}  // namespace kelvorad
