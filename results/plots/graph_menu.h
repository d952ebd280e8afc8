#pragma once
// The results window's Graph menu as constant data: its three submenus, their separators and
// the ten entries, each with the graph template it opens and the plot data file that template
// shows. Captions are exact, doubled and trailing blanks included.

#include <array>
#include <optional>
#include <string_view>

namespace kelvorad {

enum class GraphMenuKind { Submenu, Separator, Template };

struct GraphMenuItem {
    GraphMenuKind kind;
    std::string_view name;          // the menu item's name, e.g. "mnuTlogfO2BL64"
    std::string_view caption;       // empty for separators
    std::string_view templateFile;  // Template entries only, e.g. "TlogfO2BL64.grf"
    std::string_view plotDataFile;  // Template entries only, e.g. "TlogfO2.dat"
};

inline constexpr int kGraphMenuItemCount = 20;

// The menu's items in menu order. Every item after a Submenu item belongs to that submenu, up
// to the next Submenu item (the menu has one level of submenus).
const std::array<GraphMenuItem, kGraphMenuItemCount>& graphMenu();

// The item of that name; nullopt for a name the menu does not have.
std::optional<GraphMenuItem> findGraphMenuItem(std::string_view name);

// The caption of the Graph menu itself and the tooltip of the results window's toolbar button
// 13, which asks for any template and opens it.
inline constexpr std::string_view kGraphMenuCaption = "Graph";
inline constexpr std::string_view kGraphToolbarTooltip = "Plot graph by using Grapher";

}  // namespace kelvorad
