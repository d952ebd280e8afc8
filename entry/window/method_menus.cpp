#include "method_menus.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace kelvorad {

namespace {
struct MenuInfo {
    MethodMenu menu;
    const char* name;
    const char* caption;
    bool closingSeparator;
};

constexpr std::array<MenuInfo, 6> kMenus{{
    {MethodMenu::Fe3est, "mnuFe3est", "Ferric iron estimation", true},
    {MethodMenu::Pressure, "mnuPressure", "Buffer", true},
    {MethodMenu::Method, "mnuMethod", "Method", false},
    {MethodMenu::Temperature, "mnuTemperature", "Geothermometer", true},
    {MethodMenu::Oxybarometry, "mnuOxybarometry", "Oxygen barometer", true},
    {MethodMenu::BH88Test, "mnuBH88Test", "Test", true},
}};

// Items that open a new group of their menu: a separator line goes before them.
bool startsGroup(MethodItem item) {
    switch (item) {
        case MethodItem::PP77uA68:
        case MethodItem::PP77uLS82:
        case MethodItem::PP77uS83:
        case MethodItem::S08fO2uLeastSquares:
        case MethodItem::TNNOAL85:
            return true;
        default:
            return false;
    }
}
}  // namespace

MethodMenus::MethodMenus(QMenuBar& menuBar) {
    for (const MenuInfo& info : kMenus) {
        QMenu* menu = menuBar.addMenu(QString::fromUtf8(info.caption));
        menu->setObjectName(info.name);
        menu->menuAction()->setObjectName(info.name);
        menu->setSeparatorsCollapsible(false);
        if (info.menu == MethodMenu::Fe3est) ferricIronMenu_ = menu;
        if (info.menu == MethodMenu::Method) methodMenu_ = menu;
        menu->addSeparator();
        for (const MethodItemInfo& item : methodItems()) {
            if (item.menu != info.menu) continue;
            if (startsGroup(item.item)) menu->addSeparator();
            QAction* action = menu->addAction(QString::fromUtf8(
                item.caption.data(), static_cast<qsizetype>(item.caption.size())));
            action->setObjectName(
                QString::fromUtf8(item.name.data(), static_cast<qsizetype>(item.name.size())));
            action->setCheckable(true);
            actions_[static_cast<std::size_t>(item.item)] = action;
        }
        if (info.closingSeparator) menu->addSeparator();
    }
}

QAction& MethodMenus::action(MethodItem item) const {
    return *actions_[static_cast<std::size_t>(item)];
}

MethodChecks MethodMenus::checks() const {
    MethodChecks checks;
    for (const MethodItemInfo& info : methodItems()) {
        checks.setChecked(info.item, action(info.item).isChecked());
    }
    checks.setOtherPressureBars(otherPressureBars_);
    return checks;
}

void MethodMenus::setChecks(const MethodChecks& checks) {
    for (const MethodItemInfo& info : methodItems()) {
        action(info.item).setChecked(checks.isChecked(info.item));
    }
    otherPressureBars_ = checks.otherPressureBars();
}

}  // namespace kelvorad
