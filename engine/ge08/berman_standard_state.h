#pragma once
// Standard-state properties of the end-members in the Berman (1988) form (J. Petrol. 29,
// 445-522), reference state Tr = 298.15 K, Pr = 1 bar. Units: T in K, P in bar, J/mol, J/(mol K).
//
//   Cp = k0 + k1 T^-1/2 + k2 T^-2 + k3 T^-3
//   H(T) = H0 + k0 (T - Tr) + 2 k1 (T^1/2 - Tr^1/2) - k2 (1/T - 1/Tr) - k3/2 (1/T^2 - 1/Tr^2)
//   S(T) = S0 + k0 ln(T/Tr) - 2 k1 (T^-1/2 - Tr^-1/2) - k2/2 (1/T^2 - 1/Tr^2)
//          - k3/3 (1/T^3 - 1/Tr^3)
//   lambda transition (magnetite, hematite): extra Cp = T (l1 + l2 T)^2 from Tr up to
//   T_lambda (integrated to Tu = min(T, T_lambda)), and above T_lambda a first-order step
//   H += dH_lambda, S += dH_lambda / T_lambda (G stays continuous, H and S step).
//   Integral of V dP = V0 [(P - Pr) + v1 (P - Pr)^2 / 2 + v2 (P - Pr)^3 / 3
//                          + (v3 (T - Tr) + v4 (T - Tr)^2) (P - Pr)]
//   G(T, P) = H(T) - T S(T) + integral of V dP.

#include "end_member.h"

namespace kelvorad::ge08 {

inline constexpr double kReferenceT = 298.15;  // K
inline constexpr double kReferenceP = 1.0;     // bar

struct ThermalProperties {
    double enthalpy;  // J/mol
    double entropy;   // J/(mol K)
};

// H(T) and S(T) at 1 bar, lambda terms included. T must be > 0 K; otherwise the result is NaN
// or infinite.
ThermalProperties bermanThermal(EndMember m, double temperatureK);

// Berman (1988) integral of V dP from 1 bar to P (J/mol) at T.
double bermanVolumeIntegral(EndMember m, double temperatureK, double pressureBars);

// G(T, P) = H - T S + integral of V dP (J/mol), all in the Berman form.
double bermanGibbs(EndMember m, double temperatureK, double pressureBars);

// d/dT of the Berman integral of V dP at fixed P (J/(mol K)):
//   V0 (v3 + 2 v4 (T - Tr)) (P - Pr).
double bermanVolumeIntegralSlope(EndMember m, double temperatureK, double pressureBars);

// dG/dT at fixed P (J/(mol K)) in the Berman form: -S(T) plus the slope of the volume integral.
double bermanGibbsSlope(EndMember m, double temperatureK, double pressureBars);

}  // namespace kelvorad::ge08
