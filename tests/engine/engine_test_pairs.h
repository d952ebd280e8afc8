#pragma once
// Realistic analysis pairs shared by the engine tests.
#include <array>
#include <string>
#include <vector>

#include "analysis_pair.h"

namespace kelvorad::testing {

// A titanomagnetite and ilmenite pair from a dacite (wt%), as table cells 1 to 35.
inline std::vector<std::string> daciteCells(const std::string& magnetite = "MT-01",
                                            const std::string& ilmenite = "ILM-01") {
    std::vector<std::string> cells = {
        magnetite, "0.12", "8.45",  "2.10", "0.48", "0.09", "", "", "80.52",
        "0.44",    "0.02", "0.11",  "1.45", "0.03", "",     "", "", "",
        ilmenite,  "0.04", "45.10", "0.21", "0.31", "0.05", "", "", "47.90",
        "0.62",    "",     "0.03",  "2.48", "0.02", "",     "", ""};
    return cells;
}

inline AnalysisPair pairFromCells(const std::vector<std::string>& cells) {
    return readAnalysisPair([&](int k) -> std::string_view {
        return k < static_cast<int>(cells.size()) ? std::string_view(cells[k]) : "";
    });
}

// The TAB-separated fields of a results row.
inline std::vector<std::string> rowFields(const std::string& row) {
    std::vector<std::string> out(1);
    for (char c : row) {
        if (c == '\t') {
            out.emplace_back();
        } else {
            out.back().push_back(c);
        }
    }
    return out;
}

}  // namespace kelvorad::testing
