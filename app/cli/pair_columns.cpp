#include "pair_columns.h"

#include <algorithm>

#include "analysis_pair.h"
#include "cell_notices.h"
#include "oxide_data.h"

namespace kelvorad {

namespace {

using Phase = ColumnName::Phase;

constexpr int kIlmeniteSampleCell = 18;
constexpr int kSpacerCell = 17;

// Lower case without blanks, the marks that only decorate a name, and a "wt%" unit.
std::string normalised(std::string_view field) {
    std::string name;
    for (char c : field) {
        if (std::string_view(" \t_-.()[]").find(c) != std::string_view::npos) continue;
        name.push_back(c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c);
    }
    for (std::size_t at; (at = name.find("wt%")) != std::string::npos;) name.erase(at, 3);
    return name;
}

// A name without a phase mark: a sample column or an oxide.
std::optional<ColumnName> bareName(std::string_view name) {
    constexpr std::string_view kSampleNames[] = {"sample",   "samplename", "sampleid",
                                                 "sampleno", "name",       "label"};
    constexpr std::string_view kTotalIron[] = {"feo*", "feot", "feotot", "feototal"};
    ColumnName column;
    if (std::find(std::begin(kSampleNames), std::end(kSampleNames), name) !=
        std::end(kSampleNames)) {
        column.sample = true;
        return column;
    }
    if (std::find(std::begin(kTotalIron), std::end(kTotalIron), name) != std::end(kTotalIron)) {
        column.oxide = FeO;
        return column;
    }
    for (int k = 0; k < kOxideCount; ++k) {
        if (normalised(kOxides[k].oxide) == name) {
            column.oxide = k;
            return column;
        }
    }
    return std::nullopt;
}

struct PhaseMark {
    std::string_view mark;
    Phase phase;
};
constexpr PhaseMark kPhaseMarks[] = {
    {"magnetite", Phase::Magnetite}, {"mag", Phase::Magnetite}, {"mgt", Phase::Magnetite},
    {"mt", Phase::Magnetite},        {"m", Phase::Magnetite},   {"ilmenite", Phase::Ilmenite},
    {"ilm", Phase::Ilmenite},        {"il", Phase::Ilmenite},   {"i", Phase::Ilmenite},
};

bool sameColumn(const ColumnName& a, const ColumnName& b) {
    return a.sample == b.sample && a.oxide == b.oxide && a.phase == b.phase;
}

// What analysis cell k holds, as a column name (nothing for the spacer and beyond).
std::optional<ColumnName> nameOfCell(int k) {
    if (k < 0 || k >= kPairCellCount || k == kSpacerCell) return std::nullopt;
    const bool ilmenite = k >= kIlmeniteSampleCell;
    const int offset = ilmenite ? k - kIlmeniteSampleCell : k;
    ColumnName column;
    column.sample = offset == 0;
    column.oxide = offset == 0 ? -1 : offset - 1;
    column.phase = ilmenite ? Phase::Ilmenite : Phase::Magnetite;
    return column;
}

ColumnCells cellsOf(const ColumnName& name) {
    const int first = name.sample ? 0 : 1 + name.oxide;
    switch (name.phase) {
        case Phase::Magnetite:
            return {first, -1};
        case Phase::Ilmenite:
            return {first + kIlmeniteSampleCell, -1};
        case Phase::Unmarked:
            break;
    }
    // An oxide without a phase could be either analysis's: it names nothing.
    return name.sample ? ColumnCells{0, kIlmeniteSampleCell} : ColumnCells{-1, -1};
}

// True when the name fits analysis cell k of the analysis table's order.
bool standsAt(const ColumnName& name, int k) {
    const std::optional<ColumnName> cell = nameOfCell(k);
    if (!cell || cell->sample != name.sample || cell->oxide != name.oxide) return false;
    return name.phase == Phase::Unmarked || name.phase == cell->phase;
}

std::string quoted(std::string_view text) {
    std::string result;
    result.reserve(text.size() + 2);
    result += '"';
    result += text;
    result += '"';
    return result;
}

}  // namespace

std::optional<ColumnName> readColumnName(std::string_view field) {
    const std::string name = normalised(field);
    if (name.empty()) return std::nullopt;
    if (auto bare = bareName(name)) return bare;
    std::optional<ColumnName> found;
    for (const PhaseMark& p : kPhaseMarks) {
        if (name.size() <= p.mark.size()) continue;
        const std::string_view n(name);
        for (std::string_view rest :
             {n.starts_with(p.mark) ? n.substr(p.mark.size()) : "",
              n.ends_with(p.mark) ? n.substr(0, n.size() - p.mark.size()) : ""}) {
            std::optional<ColumnName> column = rest.empty() ? std::nullopt : bareName(rest);
            if (!column) continue;
            column->phase = p.phase;
            if (found && !sameColumn(*found, *column)) return std::nullopt;  // ambiguous
            found = column;
        }
    }
    return found;
}

void PairColumns::place(std::vector<std::string>& fields, std::vector<std::string>& cells) const {
    cells.assign(kPairCellCount, std::string());
    if (!byName) {
        const std::size_t count = std::min<std::size_t>(fields.size(), kPairCellCount);
        for (std::size_t k = 0; k < count; ++k) cells[k] = std::move(fields[k]);
        return;
    }
    const std::size_t count = std::min(fields.size(), cellsOfField.size());
    for (std::size_t i = 0; i < count; ++i) {
        const ColumnCells& target = cellsOfField[i];
        if (target[1] >= 0) cells[target[1]] = fields[i];
        if (target[0] >= 0) cells[target[0]] = std::move(fields[i]);
    }
}

bool isHeaderLine(const std::vector<std::string>& fields) {
    if (!fields.empty() && fields.front().starts_with("Sample")) return true;
    return std::any_of(fields.begin(), fields.end(),
                       [](const std::string& field) { return readColumnName(field).has_value(); });
}

PairColumns columnsFromHeader(const std::vector<std::string>& fields) {
    std::vector<std::optional<ColumnName>> names;
    for (const std::string& field : fields) names.push_back(readColumnName(field));
    PairColumns columns;
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (names[i] && !standsAt(*names[i], static_cast<int>(i))) columns.byName = true;
    }
    if (!columns.byName) return columns;

    std::array<int, kPairCellCount> fieldOfCell;
    fieldOfCell.fill(-1);
    for (std::size_t i = 0; i < names.size(); ++i) {
        const ColumnCells cells = names[i] ? cellsOf(*names[i]) : ColumnCells{-1, -1};
        columns.cellsOfField.push_back(cells);
        if (cells[0] < 0) {
            if (!isBlank(fields[i])) columns.unread.push_back(fields[i]);
            continue;
        }
        for (int cell : cells) {
            if (cell < 0) continue;
            if (fieldOfCell[cell] >= 0 && columns.conflict.empty()) {
                columns.conflict = "columns " + quoted(fields[fieldOfCell[cell]]) + " and " +
                                   quoted(fields[i]) + " both name " + pairCellHeader(cell);
            }
            fieldOfCell[cell] = static_cast<int>(i);
        }
    }
    for (int k = 0; k < kPairCellCount; ++k) {
        const std::optional<ColumnName> cell = nameOfCell(k);
        if (cell && !cell->sample && fieldOfCell[k] < 0) columns.missingOxides.push_back(k);
    }
    return columns;
}

}  // namespace kelvorad
