#pragma once
// The method options: the check-mark items of the main window's option menus, and how a
// calculation run decodes them when it starts (defaults checked, a default unchecked where
// another item of its group is checked, the last item examined winning).

#include <array>
#include <bitset>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kelvorad {

enum class MethodItem {
    // Ferric iron estimation
    Fe3Carmichael,
    Fe3Stormer,
    Fe3Droop,
    // NNO buffer pressure
    NNO1,
    NNO1000,
    NNO2000,
    NNO3000,
    NNO5000,
    OtherPressure,  // a pressure typed in: the full model's, the nearest of the five elsewhere
    // T-log fO2 plot method: calibration "u" (using) fraction scheme
    PP77uC67,
    SL81uC67,
    AL85uC67,
    PP77uA68,
    SL81uA68,
    AL85uA68,
    PP77uLS82,
    SL81uLS82,
    AL85uLS82,
    PP77uS83,
    SL81uS83,
    AL85uS83,
    // Geothermometer
    S08uAL85,
    GE08uAL85,
    GE08Model,
    // Oxygen barometer
    S08uLeastSquares,
    GE08uLeastSquares,
    S08fO2uLeastSquares,
    TNNOAL85,
    TNNOS08,
    TNNOGE08,
    // Test
    BH88TestforTO,
    Count
};

inline constexpr int kMethodItemCount = static_cast<int>(MethodItem::Count);

enum class MethodMenu { Fe3est, Pressure, Method, Temperature, Oxybarometry, BH88Test };

struct MethodItemInfo {
    MethodItem item;
    std::string_view name;     // menu object name, e.g. "mnuFe3Droop"
    std::string_view caption;  // menu caption, exact
    MethodMenu menu;
};

// Every item, in menu display order.
const std::array<MethodItemInfo, kMethodItemCount>& methodItems();
const MethodItemInfo& methodItemInfo(MethodItem item);
// Finds an item by its menu name, with or without the "mnu" prefix ("Fe3Droop", "mnuFe3Droop").
std::optional<MethodItem> findMethodItem(std::string_view name);

// The twelve plot-method items in the order the run examines them (Carmichael, Anderson,
// Lindsley and Spencer, Stormer; each with Powell and Powell, Spencer and Lindsley, Andersen
// and Lindsley).
const std::array<MethodItem, 12>& plotMethodItems();

// The check states of all items; all unchecked at start. The "Other pressure" item carries the
// pressure typed for it.
class MethodChecks {
  public:
    bool isChecked(MethodItem item) const { return bits_.test(static_cast<std::size_t>(item)); }
    void setChecked(MethodItem item, bool checked) {
        bits_.set(static_cast<std::size_t>(item), checked);
    }
    void toggle(MethodItem item) { bits_.flip(static_cast<std::size_t>(item)); }
    std::vector<std::string> checkedNames() const;
    // The pressure of the "Other pressure" item, in bars; nullopt when none was given.
    std::optional<double> otherPressureBars() const { return otherPressureBars_; }
    void setOtherPressureBars(std::optional<double> bars) { otherPressureBars_ = bars; }
    bool operator==(const MethodChecks&) const = default;

  private:
    std::bitset<kMethodItemCount> bits_;
    std::optional<double> otherPressureBars_;
};

// The full model's pressure range, in bars.
inline constexpr double kLowestPressureBars = 1.0;
inline constexpr double kHighestPressureBars = 10000.0;
bool isPressureInRange(double bars);

// The check states a new main window and `kelvorad calc` start from: the full Ghiorso and Evans
// (2008) model checked, everything else unchecked.
MethodChecks startingMethodChecks();

// The buffer pressure item (1, 1000, 2000, 3000 or 5000 bars) nearest to `bars`; halfway
// between two, the lower.
int nearestBufferPressureBars(double bars);

enum class FerricScheme { Stormer, Carmichael, Droop };

// What a run decoded from the menus, and the texts it writes to results-window panels 2 to 6.
struct RunChoices {
    int pressureBars = 2000;            // the five-valued buffer pressure of the older columns
    double modelPressureBars = 2000.0;  // the full model's and the FMQ buffer's pressure
    bool fullModel = false;
    FerricScheme scheme = FerricScheme::Stormer;
    std::string magnetiteOxygenCaption;  // "4 oxygen"
    std::string ilmeniteOxygenCaption;   // "3 oxygen"
    std::string ferricIronCaption;       // ferric-iron scheme
    std::string nnoPressureCaption;      // NNO pressure
    std::string plotMethodCaption;       // plot method
    std::string fullModelCaption;        // the full model and its pressure, or that it is off
};

// The start steps of a run: checks the default items (Stormer, 2000 bars, Andersen and Lindsley
// using Stormer, the Andersen and Lindsley T-DeltaNNO plot), unchecks a default where another
// item of its group is checked, and decodes pressure, scheme and panel texts. With several
// items of a group checked the last one examined wins, for the scheme used as for its caption.
RunChoices applyRunStartSteps(MethodChecks& checks);

}  // namespace kelvorad
