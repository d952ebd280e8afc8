#pragma once
// The pure phases of the Ghiorso and Evans (2008) two-oxide model: the five spinel and five
// rhombohedral-oxide end-members, and rutile for the TiO2 activity.

namespace kelvorad::ge08 {

enum class EndMember {
    magnetite,    // Fe3O4, spinel phase
    ulvospinel,   // Fe2TiO4, spinel phase
    hercynite,    // FeAl2O4, spinel phase
    spinel,       // MgAl2O4, spinel phase
    chromite,     // FeCr2O4, spinel phase
    hematite,     // Fe2O3, rhombohedral phase
    ilmenite,     // FeTiO3, rhombohedral phase
    geikielite,   // MgTiO3, rhombohedral phase
    pyrophanite,  // MnTiO3, rhombohedral phase
    corundum,     // Al2O3, rhombohedral phase
    rutile,       // TiO2, pure phase (reference state of the TiO2 activity)
};

inline constexpr int kEndMemberCount = 11;

inline constexpr int index(EndMember m) {
    return static_cast<int>(m);
}

}  // namespace kelvorad::ge08
