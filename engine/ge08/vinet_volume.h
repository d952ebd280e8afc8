#pragma once
// The volume integral of Ghiorso and Evans (2008, Am. J. Sci. 308, 957-1039): a Vinet
// equation of state with a linear thermal pressure, which replaces the Berman (1988) integral
// of V dP for the end-members that enter the model's reactions (magnetite, ulvospinel,
// hematite, ilmenite, geikielite, spinel, hercynite).
//
// With x = (V/V0)^(1/3) and eta = 3 (K' - 1) / 2, x solves at temperature T (K)
//   P = 3 K (1 - x) x^-2 exp(eta (1 - x)) + alpha K (T - Tr)        (P and K in GPa)
// Let x_P be the root at the working P and x_0 the root at Pr = 1 bar, both at T, and
//   F(x) = 9 V0 K / eta^2 [1 - eta (1 - x)] exp(eta (1 - x)) + V0 alpha K (T - Tr) x^3.
// Then (PV minus the integral of P dV, integrated by parts)
//   integral of V dP = P V0 x_P^3 - Pr V0 x_0^3 - 1e4 [F(x_P) - F(x_0)]      (J/mol)
// with V0 in J/bar, K in GPa and P in bar.

#include "end_member.h"

namespace kelvorad::ge08 {

struct VinetParameters {
    double v0;           // J/bar
    double alpha;        // 1/K
    double bulkModulus;  // K, GPa
    double kPrime;       // K', dimensionless
};

// True for the seven end-members that have Vinet parameters.
bool hasVinetParameters(EndMember m);

// Vinet integral of V dP from 1 bar to P (J/mol) at T (K). NaN for an end-member without
// Vinet parameters, or when the equation of state has no root near x = 1 (non-finite T or P).
double vinetVolumeIntegral(EndMember m, double temperatureK, double pressureBars);

// The integral and its T-derivative at fixed P. The thermal pressure only shifts the isotherm,
// so (dV/dT)_P = -1e4 alpha K / (dP/dV)_T and
//   d/dT integral of V dP = integral of (dV/dT)_P dP = 1e4 alpha K V0 (x_0^3 - x_P^3)
// (J/(mol K)). Both NaN where vinetVolumeIntegral is.
struct VolumeIntegral {
    double value;  // J/mol
    double slope;  // J/(mol K)
};
VolumeIntegral vinetVolume(EndMember m, double temperatureK, double pressureBars);

}  // namespace kelvorad::ge08
