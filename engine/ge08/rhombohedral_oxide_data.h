#pragma once
// Parameters of the rhombohedral oxide (hematite-ilmenite-geikielite-pyrophanite-corundum)
// solution model of Ghiorso and Evans (2008, Am. J. Sci. 308, 957-1039), as carried by the
// MELTS five-component rhombohedral phase. Every interaction energy is W(P) = H + (P - 1) V,
// with H in J/mol, V in J/bar and P in bar. The notes repeat the parameter comments of that
// implementation.

namespace kelvorad::ge08 {

struct PressureDependentEnergy {
    double h;  // J/mol at 1 bar
    double v;  // J/bar
    constexpr double at(double pressureBars) const { return h + (pressureBars - 1.0) * v; }
};

struct RhombohedralParameters {
    // Per R2+TiO3 end-member k (ilmenite, geikielite, pyrophanite; all three equal in GE08).
    PressureDependentEnergy orderingEnthalpy;    // dH_k: ordering analysis, fixed
    PressureDependentEnergy orderingQuartic;     // W_s,k: ordering analysis, fixed
    PressureDependentEnergy hematiteK;           // W_hm,k: solvus analysis (gk, py: guess)
    PressureDependentEnergy hematiteKAsymmetry;  // dW_hm,k: dW/2 + W2/4 = -3021.6
    PressureDependentEnergy hematiteKOrdering;   // W2_hm,k
    PressureDependentEnergy corundumK;           // W_cr,k: guess
    PressureDependentEnergy corundumKAsymmetry;  // dW_cr,k: guess
    PressureDependentEnergy hematiteCorundum;    // W_hm,cr: Majzlan et al. (2002), fixed
    // Pairs (il, gk), (il, py), (gk, py).
    PressureDependentEnergy pair[3];  // W_kl: Pownceby and Fisher-White; O'Neill et
                                      // al.; by analogy with il-gk
    double pairOrdering[3];           // W^T_kl (J/mol)
    double shortRangeOrder;           // f, constant at every T in GE08
    double gasConstant;               // J/(mol K)
};

inline constexpr RhombohedralParameters kRhombohedral = {
    {17477.0, 0.010758},
    {3189.0, 0.035089},
    {22535.6, -0.11764},
    {-5626.63, 0.013701},
    {-833.14, 0.0},
    {22535.6, 0.0},
    {0.0, 0.013701},
    {69000.0, 0.0},
    {{2600.0, 0.0}, {2200.0, 0.0}, {2600.0, 0.0}},
    {88099.9, 30244.0, 2600.0},
    0.0730205,
    8.3143,
};

}  // namespace kelvorad::ge08
