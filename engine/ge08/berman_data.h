#pragma once
// Standard-state parameters of the end-members in the Berman (1988) form, as carried by the
// MELTS rhombohedral-oxide (five-component Ghiorso and Evans 2008 block) and spinel phases.
//
// Units: H0 J/mol; S0 J/(mol K); k0 J/(mol K), k1 J K^-1/2 /mol, k2 J K/mol, k3 J K^2/mol;
// V0 J/bar (1 J/bar = 10 cm3); v1 1/bar, v2 1/bar^2, v3 1/K, v4 1/K^2; lambda transition:
// T_lambda K, dH_lambda J/mol, l1 (J/mol)^1/2 K^-1, l2 (J/mol)^1/2 K^-2.
//
// Sources (as the MELTS parameter comments give them): magnetite, spinel, hematite, ilmenite,
// corundum, rutile: Berman (1988, J. Petrol. 29, 445-522); ulvospinel, hercynite, chromite:
// Sack and Ghiorso (1991b), V0 of ulvospinel and chromite Robie et al. (1978); geikielite:
// Ghiorso (1990, Contrib. Mineral. Petrol. 104, 645-667), V0 Robie et al.; pyrophanite: H
// Ghiorso (1991, estimate), S Stephenson and Smith (1968), V Knittle (1995). Corundum carries
// +20 kJ in the rhombohedral phase ("keeps Al at the 1-3 % level"); it shifts only the corundum
// potential, which no reaction of the model uses.
//
// Do not replace these with the separate Berman (1988) data file of the same software family:
// its magnetite and hematite lambda constants and several volume terms differ and do not
// reproduce the model.

#include <array>

#include "end_member.h"

namespace kelvorad::ge08 {

struct BermanParameters {
    double h0, s0;
    double k0, k1, k2, k3;
    double v0, v1, v2, v3, v4;
    double lambdaT;       // K; 0 when the end-member has no lambda transition
    double lambdaDeltaH;  // J/mol, first-order step added above lambdaT
    double l1, l2;
};

// Indexed by EndMember.
inline constexpr std::array<BermanParameters, kEndMemberCount> kBermanTable = {{
    // magnetite Fe3O4
    {-1117403.0, 146.114, 207.93, 0.0, -72.433e5, 66.436e7, 4.452, -0.582e-6, 1.751e-12, 30.291e-6,
     138.470e-10, 848.0, 1565.0, -19.502e-2, 61.037e-5},
    // ulvospinel Fe2TiO4
    {-1488500.0, 185.447, 249.63, -18.174e2, 0.0, -5.453e7, 4.682, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0,
     0.0, 0.0},
    // hercynite FeAl2O4; V0 = 0.973948 cal/bar converted with 4.184 J/cal
    {-1947681.0, 115.362, 235.190, -14.370e2, -46.913e5, 64.564e7, 0.973948 * 4.184, 0.0, 0.0, 0.0,
     0.0, 0.0, 0.0, 0.0, 0.0},
    // spinel MgAl2O4
    {-2300313.0, 84.535, 235.90, -17.666e2, -17.104e5, 4.062e7, 3.977, -0.489e-6, 0.0, 21.691e-6,
     50.528e-10, 0.0, 0.0, 0.0, 0.0},
    // chromite FeCr2O4
    {-1445490.0, 142.676, 236.874, -16.796e2, 0.0, -16.765e7, 4.4010, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0,
     0.0, 0.0},
    // hematite Fe2O3
    {-825627.0, 87.437, 146.86, 0.0, -55.768e5, 52.563e7, 3.027, -0.479e-6, 0.304e-12, 38.310e-6,
     1.650e-10, 955.0, 1287.0, -7.403e-2, 27.921e-5},
    // ilmenite FeTiO3
    {-1231947.0, 108.628, 150.00, -4.416e2, -33.237e5, 34.815e7, 3.170, -0.584e-6, 1.230e-12,
     27.248e-6, 29.968e-10, 0.0, 0.0, 0.0, 0.0},
    // geikielite MgTiO3
    {-1572560.0, 74.56, 146.20, -4.160e2, -39.998e5, 40.233e7, 3.086, -0.584e-6, 1.230e-12,
     27.248e-6, 29.968e-10, 0.0, 0.0, 0.0, 0.0},
    // pyrophanite MnTiO3
    {-1350707.0, 104.935, 150.00, -4.416e2, -33.237e5, 34.815e7, 2.8859, -0.584e-6, 1.230e-12,
     27.248e-6, 29.968e-10, 0.0, 0.0, 0.0, 0.0},
    // corundum Al2O3 in the rhombohedral phase (+20 kJ)
    {-1675700.0 + 20000.0, 50.820, 155.02, -8.284e2, -38.614e5, 40.908e7, 2.558, -0.385e-6,
     0.375e-12, 21.342e-6, 47.180e-10, 0.0, 0.0, 0.0, 0.0},
    // rutile TiO2
    {-944750.0, 50.460, 77.84, 0.0, -33.678e5, 40.294e7, 1.882, -0.454e-6, 0.584e-12, 25.716e-6,
     15.409e-10, 0.0, 0.0, 0.0, 0.0},
}};

}  // namespace kelvorad::ge08
