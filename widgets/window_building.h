#pragma once
// Pieces both windows are built from: named actions and menus, and a toolbar of numbered
// positions whose buttons all run through one handler (which runs the command of the position
// and then the error report).

#include <QIcon>
#include <QKeySequence>
#include <QString>
#include <QStyle>
#include <functional>
#include <span>
#include <vector>

class QAction;
class QLabel;
class QMainWindow;
class QMenu;
class QObject;
class QToolBar;
class QWidget;

namespace kelvorad {

// An action with an object name (the menu item's name), a caption and a shortcut.
QAction* makeAction(QObject* owner, const char* name, const char* caption,
                    const QKeySequence& shortcut = {});
// A menu whose menu-bar action carries the same object name; separators are never collapsed,
// so that a menu shows its separator lines where it was given them.
QMenu* makeMenu(QWidget* owner, const char* name, const QString& caption);

// A label with an object name.
QLabel* makeLabel(QWidget* owner, const char* name, const QString& text);

// The window's toolbar "Toolbar1": fixed in place, 24-pixel icons.
QToolBar& addProgramToolBar(QMainWindow& window);

// A toolbar button's icon: one of the program's own (toolbar_icons.h), else the style's.
struct ToolbarIcon {
    const char* resource;             // a resource path, or nullptr for the style's icon
    QStyle::StandardPixmap standard;  // used when `resource` is nullptr
};
constexpr ToolbarIcon ownIcon(const char* resource) {
    return {resource, QStyle::SP_CustomBase};
}
constexpr ToolbarIcon styleIcon(QStyle::StandardPixmap standard) {
    return {nullptr, standard};
}

struct ToolbarButton {
    int position;         // from 1
    const char* tooltip;  // also the button's text
    ToolbarIcon icon;
};

// Fills `bar` with positions 1 to `positions`: a button where `buttons` (in position order) has
// one, a separator elsewhere, each named "Toolbar1Button<position>". A click calls
// `clicked(position)`. Returns the actions by position; index 0 stays empty.
std::vector<QAction*> fillToolbar(QToolBar& bar, int positions,
                                  std::span<const ToolbarButton> buttons, const QStyle& style,
                                  const std::function<void(int position)>& clicked);

}  // namespace kelvorad
