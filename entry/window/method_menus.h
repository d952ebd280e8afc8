#pragma once
// The six option menus of the main window (Ferric iron estimation, Buffer, Method,
// Geothermometer, Oxygen barometer, Test): one independent check-mark item per method option,
// all unchecked when made (the main window then checks its starting items). The items' check marks
// are the only record of the options.

#include <QObject>
#include <array>
#include <optional>

#include "method_options.h"

class QAction;
class QMenu;
class QMenuBar;

namespace kelvorad {

class MethodMenus {
  public:
    // Adds the six menus to `menuBar`, items named and captioned as the option table says,
    // with separator lines between the groups.
    explicit MethodMenus(QMenuBar& menuBar);

    QAction& action(MethodItem item) const;
    // The "Ferric iron estimation" menu (also the window background's context menu).
    QMenu& ferricIronMenu() const { return *ferricIronMenu_; }
    // The "Method" menu.
    QMenu& methodMenu() const { return *methodMenu_; }

    // The check marks as they stand now, with the pressure of "Other pressure".
    MethodChecks checks() const;
    // Sets every item's check mark and the pressure of "Other pressure".
    void setChecks(const MethodChecks& checks);
    void setOtherPressureBars(std::optional<double> bars) { otherPressureBars_ = bars; }

  private:
    std::array<QAction*, kMethodItemCount> actions_{};
    std::optional<double> otherPressureBars_;
    QMenu* ferricIronMenu_ = nullptr;
    QMenu* methodMenu_ = nullptr;
};

}  // namespace kelvorad
