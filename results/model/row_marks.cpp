#include "row_marks.h"

#include <charconv>
#include <optional>
#include <system_error>

#include "results_table.h"

namespace kelvorad {

namespace {

constexpr int kVerdictColumn = 133;
constexpr int kFullModelStatusColumn = 140;
constexpr int kFirstOlderTemperatureColumn = 97;  // TP77C67 ... TAL85S83
constexpr int kLastOlderTemperatureColumn = 108;

std::optional<double> wholeNumber(std::string_view text) {
    double value = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

// The header text without the brackets and tags of its group: "TAL85S83](oC)" -> "TAL85S83".
std::string bareHeader(int column) {
    std::string header(ResultsTable::columns()[static_cast<std::size_t>(column)].header);
    if (!header.empty() && header.front() == '[') header.erase(0, 1);
    if (const auto bracket = header.find(']'); bracket != std::string::npos) header.resize(bracket);
    return header;
}

}  // namespace

std::uint32_t RowMarks::tint() const {
    if (hasEquilibriumMark()) return kEquilibriumMarkTint;
    if (hasCalibrationMark()) return kCalibrationMarkTint;
    return 0;
}

std::string RowMarks::description() const {
    std::string text;
    const auto line = [&text](std::string_view part) {
        if (!text.empty()) text += '\n';
        text += part;
    };
    if (hasEquilibriumMark()) line("Equilibrium test: " + equilibriumVerdict);
    if (!fullModelStatus.empty()) line("Full model: " + fullModelStatus);
    if (!temperaturesOutside.empty()) {
        line("Outside 600-1300 oC: " + temperaturesOutside);
    }
    return text;
}

RowMarks rowMarks(const std::function<std::string_view(int column)>& field) {
    RowMarks marks;
    const std::string_view verdict = field(kVerdictColumn);
    if (verdict == "Failed" || verdict == "Not tested") marks.equilibriumVerdict = verdict;
    const std::string_view status = field(kFullModelStatusColumn);
    if (!status.empty() && status != "converged") marks.fullModelStatus = status;
    for (int c = kFirstOlderTemperatureColumn; c <= kLastOlderTemperatureColumn; ++c) {
        const std::optional<double> t = wholeNumber(field(c));
        if (!t || (*t >= kOlderThermometerLowestC && *t <= kOlderThermometerHighestC)) continue;
        if (!marks.temperaturesOutside.empty()) marks.temperaturesOutside += ", ";
        marks.temperaturesOutside += bareHeader(c);
    }
    return marks;
}

RowMarks rowMarks(const TextGrid& table, int row) {
    if (row < ResultsTable::kHeaderRows || row >= table.rowCount()) return {};
    return rowMarks([&](int column) -> std::string_view {
        return column < table.columnCount() ? std::string_view(table.text(row, column))
                                            : std::string_view();
    });
}

std::string rowMarkLegend() {
    return "Marked rows:\n"
           "rose - the equilibrium test of Bacon and Hirschmann (1988) failed, or could not be "
           "made (column 133);\n"
           "amber - a result outside a calibration: the full model's status is not "
           "\"converged\" (column 140), or a Powell and Powell, Spencer and Lindsley or "
           "Andersen and Lindsley temperature (columns 97 to 108) is below 600 or above "
           "1300 oC.\n"
           "A marked row's cells name the reasons in their tooltips.";
}

}  // namespace kelvorad
