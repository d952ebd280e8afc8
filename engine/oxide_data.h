#pragma once
// The sixteen oxides of an analysis, in the order used by every table, file and results row,
// with the constants of their recalculation to structural formulae.

#include <array>
#include <string_view>

namespace kelvorad {

inline constexpr int kOxideCount = 16;

enum Oxide : int {
    SiO2,
    TiO2,
    Al2O3,
    V2O3,
    Cr2O3,
    Nb2O3,
    Fe2O3,
    FeO,
    MnO,
    NiO,
    ZnO,
    MgO,
    CaO,
    Na2O,
    K2O,
    BaO
};

// The cation of each oxide shares its index: Si, Ti, Al, V, Cr, Nb, Fe3+, Fe2+, Mn, Ni, Zn, Mg,
// Ca, Na, K, Ba.
enum Cation : int { Si, Ti, Al, V, Cr, Nb, Fe3, Fe2, Mn, Ni, Zn, Mg, Ca, Na, K, Ba };

struct OxideConstants {
    std::string_view oxide;
    std::string_view cation;
    double molecularWeight;  // g/mol
    int oxygens;             // oxygen atoms per formula
    int cations;             // cations per formula
    int charge;              // cation charge
};

inline constexpr std::array<OxideConstants, kOxideCount> kOxides{{
    {"SiO2", "Si", 60.0843, 2, 1, 4},
    {"TiO2", "Ti", 79.8658, 2, 1, 4},
    {"Al2O3", "Al", 101.961276, 3, 2, 3},
    {"V2O3", "V", 149.8812, 3, 2, 3},
    {"Cr2O3", "Cr", 151.9904, 3, 2, 3},
    {"Nb2O3", "Nb", 233.81096, 3, 2, 3},
    {"Fe2O3", "Fe3+", 159.6882, 3, 2, 3},
    {"FeO", "Fe2+", 71.8444, 1, 1, 2},
    {"MnO", "Mn", 70.937449, 1, 1, 2},
    {"NiO", "Ni", 74.6928, 1, 1, 2},
    {"ZnO", "Zn", 81.3894, 1, 1, 2},
    {"MgO", "Mg", 40.3044, 1, 1, 2},
    {"CaO", "Ca", 56.0774, 1, 1, 2},
    {"Na2O", "Na", 61.97894, 1, 2, 1},
    {"K2O", "K", 94.196, 1, 2, 1},
    {"BaO", "Ba", 153.3264, 1, 1, 2},
}};

using OxideValues = std::array<double, kOxideCount>;

}  // namespace kelvorad
