#include "analysis_table_look.h"

namespace kelvorad {

GridLook analysisTableLook(AnalysisTable& table) {
    GridLook look;
    look.typeKey = [&table](char32_t code) { return table.typeKey(code); };
    look.alignment = [](int row, int column) -> Qt::Alignment {
        const bool fixed = row == 0 || column == 0;
        if (fixed || column >= AnalysisTable::kColumns) return Qt::AlignCenter;
        return qtAlignment(AnalysisTable::columns()[static_cast<std::size_t>(column)].alignment);
    };
    look.widthTwips = [](int column) {
        if (column < 0 || column >= AnalysisTable::kColumns) return 0;
        return AnalysisTable::columns()[static_cast<std::size_t>(column)].widthTwips;
    };
    return look;
}

}  // namespace kelvorad
