#include "analysis_table.h"

#include <string>

namespace kelvorad {

namespace {
using A = CellAlignment;
constexpr std::array<AnalysisColumn, AnalysisTable::kColumns> kColumnLayout{{
    {"Row No", 0, A::Centre},       {"Sample [M]", 1300, A::LeftCentre},
    {"SiO2 [M]", 900, A::Centre},   {"TiO2 [M]", 900, A::Centre},
    {"Al2O3 [M]", 1000, A::Centre}, {"V2O3 [M]", 1000, A::Centre},
    {"Cr2O3 [M]", 1000, A::Centre}, {"Nb2O3 [M]", 1000, A::Centre},
    {"Fe2O3 [M]", 1000, A::Centre}, {"FeO [M]", 900, A::Centre},
    {"MnO [M]", 900, A::Centre},    {"NiO [M]", 900, A::Centre},
    {"ZnO [M]", 900, A::Centre},    {"MgO [M]", 900, A::Centre},
    {"CaO [M]", 900, A::Centre},    {"Na2O [M]", 900, A::Centre},
    {"K2O [M]", 900, A::Centre},    {"BaO [M]", 900, A::Centre},
    {"", 600, A::Centre},           {"Sample [I]", 1300, A::LeftCentre},
    {"SiO2 [I]", 900, A::Centre},   {"TiO2 [I]", 900, A::Centre},
    {"Al2O3 [I]", 1000, A::Centre}, {"V2O3 [I]", 1000, A::Centre},
    {"Cr2O3 [I]", 1000, A::Centre}, {"Nb2O3 [I]", 1000, A::Centre},
    {"Fe2O3 [I]", 1000, A::Centre}, {"FeO [I]", 900, A::Centre},
    {"MnO [I]", 900, A::Centre},    {"NiO [I]", 900, A::Centre},
    {"ZnO [I]", 900, A::Centre},    {"MgO [I]", 900, A::Centre},
    {"CaO [I]", 900, A::Centre},    {"Na2O [I]", 900, A::Centre},
    {"K2O [I]", 900, A::Centre},    {"BaO [I]", 900, A::Centre},
}};
}  // namespace

const std::array<AnalysisColumn, AnalysisTable::kColumns>& AnalysisTable::columns() {
    return kColumnLayout;
}

AnalysisTable::AnalysisTable() : TextGrid(kRows, kColumns) {
    layOutTable();
}

void AnalysisTable::layOutTable() {
    resize(kRows, kColumns);
    for (int r = 1; r <= kLastDataRow; ++r) setText(r, 0, std::to_string(r));
    for (int c = 0; c < kColumns; ++c) {
        if (c != kSpacerColumn) setText(0, c, std::string(kColumnLayout[c].header));
    }
    setCurrent(0, kLastColumn);
}

void AnalysisTable::clearTable() {
    clearAll();
    layOutTable();
}

bool AnalysisTable::typeKey(char32_t code) {
    if (code == 13 || code == 9) {
        if (column() < kLastColumn) {
            setCurrent(row(), column() + 1);
        } else if (row() < rowCount() - 1) {
            setCurrent(row() + 1, 0);
        } else {
            setCurrent(1, 0);
        }
        return false;
    }
    return typeIntoCurrentCell(code);
}

void AnalysisTable::selectDataArea() {
    setCurrent(1, 1);
    setSelectionEnd(rowCount() - 1, columnCount() - 1);
}

}  // namespace kelvorad
