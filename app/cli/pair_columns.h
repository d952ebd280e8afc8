#pragma once
// Which analysis cells the columns of a separated-value file fill. Without a header line the
// columns stand in the analysis table's order (sample, sixteen oxides, spacer, sample, sixteen
// oxides). A header line names them: the analysis table's own headers ("FeO [M]") and the
// usual spellings of a spreadsheet export ("mt_FeO", "Ilm TiO2", "FeOt [M]").

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kelvorad {

// A column name read from a header: a sample or an oxide, of one phase or of none.
struct ColumnName {
    enum class Phase { Magnetite, Ilmenite, Unmarked };
    bool sample = false;
    int oxide = -1;  // oxide order of kOxides when not a sample
    Phase phase = Phase::Unmarked;
};

// Reads a header field. Case, blanks and the marks _ - . ( ) [ ] are ignored, as is a unit
// "wt%". Oxides are named by formula; FeO*, FeOt, FeO(t), FeOtot and FeOtotal name FeO (total
// iron as FeO). Sample columns are "Sample", "Sample name", "Sample ID", "Sample No", "Name" or
// "Label". The phase is a prefix or suffix: Mt, Mag, Mgt, Magnetite or [M] for magnetite;
// Ilm, Il, Ilmenite or [I] for ilmenite. Anything else names nothing.
std::optional<ColumnName> readColumnName(std::string_view field);

// The cells a column fills, up to two (a sample column without a phase names the samples of
// both analyses); -1 where there is none.
using ColumnCells = std::array<int, 2>;

// How the fields of a line map to the 35 analysis cells.
struct PairColumns {
    bool byName = false;  // false: fields in the analysis table's order, as without a header
    std::vector<ColumnCells> cellsOfField;  // by name: the cells of each header field
    std::vector<std::string> unread;        // by name: header fields that name no cell
    std::vector<int> missingOxides;         // by name: oxide cells no field names
    std::string conflict;                   // two fields name the same cell: what they are

    // The fields of a data line laid out as the 35 analysis cells (missing ones empty).
    void place(std::vector<std::string>& fields, std::vector<std::string>& cells) const;
};

// True when the first line of a file is a header: its first field starts with "Sample", or
// one of its fields reads as a column name.
bool isHeaderLine(const std::vector<std::string>& fields);

// The columns a header line names. A header whose names each stand at their own place in the
// analysis table's order (fields it cannot read and blank ones aside) keeps that order; any
// other is read by name.
PairColumns columnsFromHeader(const std::vector<std::string>& fields);

}  // namespace kelvorad
