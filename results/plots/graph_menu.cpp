#include "graph_menu.h"

namespace kelvorad {

namespace {

constexpr GraphMenuItem submenu(std::string_view name, std::string_view caption) {
    return {GraphMenuKind::Submenu, name, caption, {}, {}};
}
constexpr GraphMenuItem separator(std::string_view name) {
    return {GraphMenuKind::Separator, name, {}, {}, {}};
}
constexpr GraphMenuItem entry(std::string_view name, std::string_view caption,
                              std::string_view templateFile, std::string_view plotDataFile) {
    return {GraphMenuKind::Template, name, caption, templateFile, plotDataFile};
}

constexpr std::array<GraphMenuItem, kGraphMenuItemCount> kGraphMenu{{
    submenu("mnuTlogfO2", "T (oC) - log fO2  Plots"),
    separator("mnuCiz71"),
    entry("mnuTlogfO2BL64",
          "[1]   T (oC) - log fO2 (Buffer Curves from Buddington and Lindsley (1964)",
          "TlogfO2BL64.grf", "TlogfO2.dat"),
    entry("mnuTlogfO2HF77", "[2]   T (oC) - log fO2 (Buffer Curves from Himmelberg and Ford (1977)",
          "TlogfO2HF77.grf", "TlogfO2.dat"),
    entry("mnuTlogfO2GS91", "[3]   T (oC) - log fO2 (Buffer Curves from Ghiorso and Sack (1991)",
          "TlogfO2GS91.grf", "TlogfO2.dat"),
    separator("cizc"),
    entry("mnuTlogfO2BL64Grid",
          "[1]  T (oC)-log fO2 Grid for Coexisting Mt-Ilm Pairs (Buddington and Lindsley, 1964)",
          "TfO2BL64Grid.grf", "TfO2BL64Grid.dat"),
    entry("mnuTlogfO2SL82",
          "[2]  T (oC)-log fO2 Grid for Coexisting Mt-Ilm Pairs (Spencer and Lindsley, 1981)",
          "TfO2SL81.grf", "TfO2SL81.dat"),
    separator("mnuCiz72"),
    submenu("mnuMFP", "Mole Fraction Plots (Roozeboom Plots)"),
    separator("mnuCiz73"),
    entry("mnuXUspXIlmL05", "[1]   XUsp - XIlm Plot (Lattard et al., 2005)", "XUspXIlmL05.grf",
          "XUspXIlm.dat"),
    entry("mnuXUspXIlmGE08", "[2]   XUsp - XIlm plot (Ghiorso and Evans, 2008)", "XUspXIlmGE08.grf",
          "XUspXIlm.dat"),
    separator("mnuCiz74"),
    submenu("mnuMP", "Miscellaneous Plots"),
    separator("mnuCiz75"),
    entry("mnuBH88",
          "[1]  Ilmenite log(Mg/Mn) - Magnetite log(Mg/Mn) Plot (Bacon and Hirschmann, 1988)",
          "MgMnIlmMagBH88.grf", "MgMnIlmMagBH88.dat"),
    entry("mnuTNNO", "[2]   T (oC) - DeltaNNO", "TDeltaNNO.grf", "TDeltaNNO.dat"),
    entry("mnuTiR2R3", "[3]   Ti - R2+ - R3+ Plot  ", "TiR2R3.grf", "TiR2R3.dat"),
    separator("mnuCiz80"),
}};

}  // namespace

const std::array<GraphMenuItem, kGraphMenuItemCount>& graphMenu() {
    return kGraphMenu;
}

std::optional<GraphMenuItem> findGraphMenuItem(std::string_view name) {
    for (const GraphMenuItem& item : kGraphMenu) {
        if (item.name == name) return item;
    }
    return std::nullopt;
}

}  // namespace kelvorad
