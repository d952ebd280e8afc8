#include "results_table.h"

#include "uncertainty_columns.h"

#include <charconv>
#include <system_error>

namespace kelvorad {

namespace {
using A = CellAlignment;
// Row-1 texts, widths and alignments. A "[" opens a group of columns and "]" closes it; a tag
// after the "]" applies to the whole group: (M) magnetite, (I) ilmenite, (Mol%) mole per cent,
// (oC) degrees Celsius, (SAMP) per sample.
constexpr std::array<ResultsColumn, 134> kColumnLayout{{
    {"Sample", 1300, A::LeftCentre, false},                       // 0
    {"[SiO2", 900, A::Centre, true},                              // 1
    {"TiO2", 900, A::Centre, true},                               // 2
    {"Al2O3", 900, A::Centre, true},                              // 3
    {"V2O3", 900, A::Centre, true},                               // 4
    {"Cr2O3", 900, A::Centre, true},                              // 5
    {"Nb2O3", 900, A::Centre, true},                              // 6
    {"Fe2O3", 900, A::Centre, true},                              // 7
    {"FeO", 900, A::Centre, true},                                // 8
    {"MnO", 900, A::Centre, true},                                // 9
    {"NiO", 900, A::Centre, true},                                // 10
    {"ZnO", 900, A::Centre, true},                                // 11
    {"MgO", 900, A::Centre, true},                                // 12
    {"CaO", 900, A::Centre, true},                                // 13
    {"Na2O", 900, A::Centre, true},                               // 14
    {"K2O", 900, A::Centre, true},                                // 15
    {"BaO", 900, A::Centre, true},                                // 16
    {"Total](M)", 1100, A::Centre, true},                         // 17
    {"[Fe2O3(cal.)", 1300, A::Centre, true},                      // 18
    {"FeO(cal.)](M)", 1300, A::Centre, true},                     // 19
    {"[Si", 900, A::Centre, true},                                // 20
    {"Ti", 900, A::Centre, true},                                 // 21
    {"Al", 900, A::Centre, true},                                 // 22
    {"V", 900, A::Centre, true},                                  // 23
    {"Cr", 900, A::Centre, true},                                 // 24
    {"Nb", 900, A::Centre, true},                                 // 25
    {"Fe3+", 900, A::Centre, true},                               // 26
    {"Fe2+", 900, A::Centre, true},                               // 27
    {"Mn", 900, A::Centre, true},                                 // 28
    {"Ni", 900, A::Centre, true},                                 // 29
    {"Zn", 900, A::Centre, true},                                 // 30
    {"Mg", 0, A::Centre, false},                                  // 31
    {"Ca", 0, A::Centre, false},                                  // 32
    {"Na", 0, A::Centre, false},                                  // 33
    {"K", 0, A::Centre, false},                                   // 34
    {"Ba", 0, A::Centre, false},                                  // 35
    {"Total](M)", 0, A::Centre, false},                           // 36
    {"", 0, A::Centre, false},                                    // 37
    {"Sample", 0, A::Centre, false},                              // 38
    {"[SiO2", 0, A::Centre, false},                               // 39
    {"TiO2", 0, A::Centre, false},                                // 40
    {"Al2O3", 0, A::Centre, false},                               // 41
    {"V2O3", 0, A::Centre, false},                                // 42
    {"Cr2O3", 0, A::Centre, false},                               // 43
    {"Nb2O3", 0, A::Centre, false},                               // 44
    {"Fe2O3", 0, A::RightTop, false},                             // 45
    {"FeO", 0, A::Centre, false},                                 // 46
    {"MnO", 0, A::Centre, false},                                 // 47
    {"NiO", 0, A::Centre, false},                                 // 48
    {"ZnO", 0, A::Centre, false},                                 // 49
    {"MgO", 0, A::Centre, false},                                 // 50
    {"CaO", 0, A::Centre, false},                                 // 51
    {"Na2O", 0, A::Centre, false},                                // 52
    {"K2O", 0, A::Centre, false},                                 // 53
    {"BaO", 0, A::Centre, false},                                 // 54
    {"Total](I)", 0, A::Centre, false},                           // 55
    {"[Fe2O3(cal.)", 0, A::Centre, false},                        // 56
    {"FeO(cal.)](I)", 0, A::Centre, false},                       // 57
    {"[Si", 0, A::Centre, false},                                 // 58
    {"Ti", 0, A::Centre, false},                                  // 59
    {"Al", 0, A::Centre, false},                                  // 60
    {"V", 0, A::Centre, false},                                   // 61
    {"Cr", 0, A::Centre, false},                                  // 62
    {"Nb", 0, A::Centre, false},                                  // 63
    {"Fe3+", 0, A::Centre, false},                                // 64
    {"Fe2+", 0, A::Centre, false},                                // 65
    {"Mn", 0, A::Centre, false},                                  // 66
    {"Ni", 0, A::Centre, false},                                  // 67
    {"Zn", 0, A::Centre, false},                                  // 68
    {"Mg", 0, A::Centre, false},                                  // 69
    {"Ca", 0, A::Centre, false},                                  // 70
    {"Na", 0, A::Centre, false},                                  // 71
    {"K", 0, A::Centre, false},                                   // 72
    {"Ba", 0, A::Centre, false},                                  // 73
    {"Total](I)", 0, A::Centre, false},                           // 74
    {"", 0, A::Centre, false},                                    // 75
    {"[Ulvöspinel", 0, A::Centre, false},                         // 76
    {"Ilmenite](SAMP)", 0, A::Centre, false},                     // 77
    {"[Ulvöspinel", 0, A::Centre, false},                         // 78
    {"Magnetite](Mol%)", 0, A::Centre, false},                    // 79
    {"[Ilmenite", 0, A::Centre, false},                           // 80
    {"Hematite](Mol%)", 0, A::Centre, false},                     // 81
    {"[Ulvöspinel", 0, A::Centre, false},                         // 82
    {"Ilmenite](Mol%)", 0, A::Centre, false},                     // 83
    {"[Ulvöspinel", 0, A::Centre, false},                         // 84
    {"Ilmenite](Mol%)", 0, A::Centre, false},                     // 85
    {"[Ulvöspinel", 0, A::Centre, false},                         // 86
    {"Ilmenite](Mol%)", 0, A::Centre, false},                     // 87
    {"[Xusp", 0, A::Centre, false},                               // 88
    {"Xmt]", 0, A::Centre, false},                                // 89
    {"[Xilm", 0, A::Centre, false},                               // 90
    {"Xhem]", 0, A::Centre, false},                               // 91
    {"[X'usp", 0, A::Centre, false},                              // 92
    {"X'mag", 0, A::Centre, false},                               // 93
    {"X'ilm", 0, A::Centre, false},                               // 94
    {"X'hem]", 0, A::Centre, false},                              // 95
    {"", 0, A::Centre, false},                                    // 96
    {"[TP77C67", 0, A::Centre, false},                            // 97
    {"TP77A68", 0, A::Centre, false},                             // 98
    {"TP77LS82", 0, A::Centre, false},                            // 99
    {"TP77S83](oC)", 0, A::Centre, false},                        // 100
    {"[TSL81C67", 0, A::Centre, false},                           // 101
    {"TSL81A68", 0, A::Centre, false},                            // 102
    {"TSL81LS82", 0, A::Centre, false},                           // 103
    {"TSL81S83](oC)", 0, A::Centre, false},                       // 104
    {"[TAL85C67", 0, A::Centre, false},                           // 105
    {"TAL85A68", 0, A::Centre, false},                            // 106
    {"TAL85LS82", 0, A::Centre, false},                           // 107
    {"TAL85S83](oC)", 0, A::Centre, false},                       // 108
    {"[TS08](oC)", 0, A::Centre, false},                          // 109
    {"[TGE08](oC)", 0, A::Centre, false},                         // 110
    {"", 0, A::Centre, false},                                    // 111
    {"[fO2PP77C67", 0, A::Centre, false},                         // 112
    {"fO2PP77A68", 0, A::Centre, false},                          // 113
    {"fO2PP77LS82", 0, A::Centre, false},                         // 114
    {"fO2PP77S83]", 0, A::Centre, false},                         // 115
    {"[fO2SL81C67", 0, A::Centre, false},                         // 116
    {"fO2SL81A68", 0, A::Centre, false},                          // 117
    {"fO2SL81LS82", 0, A::Centre, false},                         // 118
    {"fO2SL81S83]", 0, A::Centre, false},                         // 119
    {"[fO2AL85C67", 0, A::Centre, false},                         // 120
    {"fO2AL85A68", 0, A::Centre, false},                          // 121
    {"fO2AL85LS82", 0, A::Centre, false},                         // 122
    {"fO2AL85S83]", 0, A::Centre, false},                         // 123
    {"[fO2S08]", 0, A::Centre, false},                            // 124
    {"", 0, A::Centre, false},                                    // 125
    {"[DeltaNNO_AL85C67", 0, A::Centre, false},                   // 126
    {"DeltaNNO_AL85A68", 0, A::Centre, false},                    // 127
    {"DeltaNNO_AL85LS82", 0, A::Centre, false},                   // 128
    {"DeltaNNO_AL85S83]", 0, A::Centre, false},                   // 129
    {"[DeltaNNO_S08]", 0, A::Centre, false},                      // 130
    {"[DeltaNNO_GE08]", 0, A::Centre, false},                     // 131
    {"", 0, A::Centre, false},                                    // 132
    {"[Bacon and Hirschmann (1988) Test]", 0, A::Centre, false},  // 133
}};
// What each column holds, by runs of columns; columns not listed hold text.
struct ColumnKindRun {
    int first;
    int last;
    ColumnKind kind;
};
using K = ColumnKind;
constexpr std::array<ColumnKindRun, 15> kColumnKinds{{
    {1, 19, K::Oxide},      // magnetite oxides, total, Fe2O3 and FeO calculated
    {20, 36, K::Cation},    // magnetite cations and their total
    {39, 57, K::Oxide},     // ilmenite oxides, total, Fe2O3 and FeO calculated
    {58, 74, K::Cation},    // ilmenite cations and their total
    {76, 77, K::Cation},    // oxygen-basis factors
    {78, 95, K::Fraction},  // mole per cent and mole fractions
    {97, 110, K::Temperature},
    {112, 124, K::LogFO2},
    {126, 131, K::BufferDelta},
    {135, 135, K::Temperature},  // full model
    {136, 136, K::LogFO2},
    {137, 137, K::BufferDelta},
    {138, 138, K::Fraction},  // aTiO2
    {139, 139, K::Temperature},
    {142, 146, K::BufferDelta},  // DeltaFMQ of the full model and of AL85
}};
}  // namespace

std::optional<int> displayDecimals(ColumnKind kind) {
    switch (kind) {
        case ColumnKind::Text:
            return std::nullopt;
        case ColumnKind::Temperature:
            return 1;
        case ColumnKind::Oxide:
        case ColumnKind::LogFO2:
        case ColumnKind::BufferDelta:
            return 2;
        case ColumnKind::Cation:
        case ColumnKind::Fraction:
            return 4;
    }
    return std::nullopt;
}

std::string displayText(std::string_view text, ColumnKind kind) {
    const std::optional<int> decimals = displayDecimals(kind);
    if (!decimals || text.empty()) return std::string(text);
    double value = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return std::string(text);
    char shown[64];
    const auto written =
        std::to_chars(shown, shown + sizeof shown, value, std::chars_format::fixed, *decimals);
    if (written.ec != std::errc()) return std::string(text);
    std::string result(shown, written.ptr);
    // A small negative value rounds to "-0.00": show it without the sign.
    if (result.front() == '-' && result.find_first_not_of("-0.") == std::string::npos) {
        result.erase(0, 1);
    }
    return result;
}

ColumnKind ResultsTable::columnKind(int column) {
    const int uncertainty = column - kUncertaintyFirstColumn;
    if (uncertainty >= 0 && uncertainty < kUncertaintyColumnCount) {
        const std::string_view unit = kUncertaintyQuantities[std::size_t(uncertainty / 3)].unit;
        if (unit == "oC") return ColumnKind::Temperature;
        return unit.empty() ? ColumnKind::Fraction : ColumnKind::BufferDelta;
    }
    for (const ColumnKindRun& run : kColumnKinds) {
        if (column >= run.first && column <= run.last) return run.kind;
    }
    return ColumnKind::Text;
}

const std::array<ResultsColumn, 134>& ResultsTable::columns() {
    return kColumnLayout;
}

const std::array<std::string_view, 12>& ResultsTable::fullModelHeaders() {
    // Columns 135 to 146, as results_row.h lays them out.
    static constexpr std::array<std::string_view, 12> kHeaders{"[TGE08model](oC)",
                                                               "fO2GE08model",
                                                               "DeltaNNO_GE08model",
                                                               "aTiO2",
                                                               "TFeMg(oC)",
                                                               "Status]",
                                                               "",
                                                               "[DeltaFMQ_GE08model]",
                                                               "[DeltaFMQ_AL85C67",
                                                               "DeltaFMQ_AL85A68",
                                                               "DeltaFMQ_AL85LS82",
                                                               "DeltaFMQ_AL85S83]"};
    return kHeaders;
}

bool ResultsTable::isSpacerColumn(int column) {
    return column == 37 || column == 75 || column == 96 || column == 111 || column == 125 ||
           column == 132;
}

static_assert(kUncertaintyFirstColumn + kUncertaintyColumnCount <= ResultsTable::kColumns);

ResultsTable::ResultsTable() : TextGrid(kHeaderRows, kColumns) {
    setText(0, 0, "Kelvorad");
    for (int c = 1; c <= kNumberedColumns; ++c) setText(0, c, std::to_string(c));
    for (int c = 0; c < static_cast<int>(kColumnLayout.size()); ++c) {
        setText(1, c, std::string(kColumnLayout[c].header));
    }
    for (std::size_t k = 0; k < fullModelHeaders().size(); ++k) {
        setText(1, kFullModelFirstColumn + static_cast<int>(k), std::string(fullModelHeaders()[k]));
    }
    setCurrent(0, 0);
}

bool ResultsTable::typeKey(char32_t code) {
    if (code == 13 || code == 9) {
        if (row() < rowCount() - 1) {
            setCurrent(row() + 1, column());
        } else {
            setCurrent(1, 0);
        }
        return false;
    }
    return typeIntoCurrentCell(code);
}

CellAlignment ResultsTable::cellAlignment(int row, int column) {
    if (row == 0) return CellAlignment::Centre;
    if (column < 0 || column >= static_cast<int>(kColumnLayout.size())) {
        return row == 1 && column >= kFullModelFirstColumn ? CellAlignment::Centre
                                                           : CellAlignment::LeftCentre;
    }
    const ResultsColumn& layout = kColumnLayout[static_cast<std::size_t>(column)];
    if (layout.wholeColumnCentred) return CellAlignment::Centre;
    if (row == 1 && !isSpacerColumn(column)) return layout.alignment;
    return CellAlignment::LeftCentre;
}

void ResultsTable::selectAll() {
    setCurrent(0, 0);
    setSelectionEnd(rowCount() - 1, columnCount() - 1);
}

void ResultsTable::showUncertaintyColumns(bool shown) {
    const std::vector<std::string> headers = uncertaintyHeaders();
    for (int k = 0; k < kUncertaintyColumnCount; ++k) {
        const int column = kUncertaintyFirstColumn + k;
        setText(0, column, shown ? std::to_string(column) : std::string());
        setText(1, column, shown ? headers[std::size_t(k)] : std::string());
    }
}

std::string headerRowsAsText(int columns, bool uncertainty) {
    ResultsTable table;
    table.showUncertaintyColumns(uncertainty);
    std::string text;
    for (int r = 0; r < ResultsTable::kHeaderRows; ++r) {
        for (int c = 0; c < columns; ++c) {
            if (c > 0) text.push_back('\t');
            text += table.text(r, c);
        }
        text.push_back('\n');
    }
    return text;
}

}  // namespace kelvorad
