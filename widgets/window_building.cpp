#include "window_building.h"

#include <QAction>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QToolBar>

#include "toolbar_icons.h"

namespace kelvorad {

QAction* makeAction(QObject* owner, const char* name, const char* caption,
                    const QKeySequence& shortcut) {
    auto* action = new QAction(QString::fromUtf8(caption), owner);
    action->setObjectName(name);
    action->setShortcut(shortcut);
    return action;
}

QMenu* makeMenu(QWidget* owner, const char* name, const QString& caption) {
    auto* menu = new QMenu(caption, owner);
    menu->setObjectName(name);
    menu->menuAction()->setObjectName(name);
    menu->setSeparatorsCollapsible(false);
    return menu;
}

QLabel* makeLabel(QWidget* owner, const char* name, const QString& text) {
    auto* label = new QLabel(text, owner);
    label->setObjectName(name);
    return label;
}

QToolBar& addProgramToolBar(QMainWindow& window) {
    QToolBar* bar = window.addToolBar("Toolbar1");
    bar->setObjectName("Toolbar1");
    bar->setMovable(false);
    bar->setIconSize(QSize(24, 24));
    return *bar;
}

std::vector<QAction*> fillToolbar(QToolBar& bar, int positions,
                                  std::span<const ToolbarButton> buttons, const QStyle& style,
                                  const std::function<void(int)>& clicked) {
    std::vector<QAction*> actions(static_cast<std::size_t>(positions) + 1, nullptr);
    std::size_t next = 0;
    for (int position = 1; position <= positions; ++position) {
        QAction* action = nullptr;
        if (next < buttons.size() && buttons[next].position == position) {
            const ToolbarButton& button = buttons[next++];
            const QString tooltip = QString::fromUtf8(button.tooltip);
            const QIcon icon = button.icon.resource ? programIcon(button.icon.resource)
                                                    : style.standardIcon(button.icon.standard);
            action = bar.addAction(icon, tooltip);
            action->setToolTip(tooltip);
            QObject::connect(action, &QAction::triggered, &bar,
                             [clicked, position] { clicked(position); });
        } else {
            action = bar.addSeparator();
        }
        action->setObjectName(QString("Toolbar1Button%1").arg(position));
        actions[static_cast<std::size_t>(position)] = action;
    }
    return actions;
}

}  // namespace kelvorad
