#pragma once
// Marks on results rows that a reader should not take at face value: the pair failed the
// equilibrium test or could not be tested ("Failed", "Not tested" in column 133), or a result
// lies outside a calibration (the full model's status other than "converged", or a
// temperature of the older thermometers, columns 97 to 108, below 600 or above 1300 oC).
// The window tints such rows and names the reasons in their tooltips; the workbook gives
// their cells the same fill.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "text_grid.h"

namespace kelvorad {

// Background tints, as 0xRRGGBB.
inline constexpr std::uint32_t kEquilibriumMarkTint = 0xF4C7C3;  // rose
inline constexpr std::uint32_t kCalibrationMarkTint = 0xFCE8B2;  // amber

// The calibrated range of the older thermometers, oC.
inline constexpr double kOlderThermometerLowestC = 600.0;
inline constexpr double kOlderThermometerHighestC = 1300.0;

struct RowMarks {
    std::string equilibriumVerdict;   // "Failed" or "Not tested"; empty when not marked
    std::string fullModelStatus;      // the full model's status when not "converged"
    std::string temperaturesOutside;  // headers of the older thermometers' columns out of range

    bool any() const { return hasEquilibriumMark() || hasCalibrationMark(); }
    bool hasEquilibriumMark() const { return !equilibriumVerdict.empty(); }
    bool hasCalibrationMark() const {
        return !fullModelStatus.empty() || !temperaturesOutside.empty();
    }
    // The row's tint: the equilibrium mark's when the row has it, else the calibration mark's;
    // 0 for an unmarked row.
    std::uint32_t tint() const;
    // One line per reason, for the tooltip: "Equilibrium test: Failed", ...; empty when none.
    std::string description() const;
};

// The marks of a results row from its fields (`field(k)` gives the text of column k).
RowMarks rowMarks(const std::function<std::string_view(int column)>& field);

// The marks of table row `row`; header rows (0 and 1) are never marked.
RowMarks rowMarks(const TextGrid& table, int row);

// The legend of the tints, for the status bar's tooltip.
std::string rowMarkLegend();

}  // namespace kelvorad
