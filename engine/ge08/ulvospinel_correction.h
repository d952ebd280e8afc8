#pragma once
// The Ghiorso and Evans (2008) correction to the ulvospinel standard state, added to the
// chemical potential of Fe2TiO4 in the spinel phase:
//   dG(T) = dH_c + integral_Tr^T Cp_c dT - T (dS_c + integral_Tr^T Cp_c / T dT)     (J/mol)
//   Cp_c = T (l1 + l2 T)^2,  l1 = -0.039452 sqrt(4.184), l2 = 7.54197e-5 sqrt(4.184)
// (calorie-based values converted to (J/mol)^1/2 K^-1 and K^-2; no upper cut-off; Cp_c is 0
// at 523.1 K). Two variants:
//   plain    (used for the TiO2 activity): dH_c = -162.0 + 284.5 J, dS_c = 0;
//   reaction (used only in the Fe-Ti exchange): dH_c = 122.5 + 2039.106175 J,
//            dS_c = 1.247790 J/K, a recalibration of the exchange reaction carried by the
//            reference calculation of the model.

namespace kelvorad::ge08 {

enum class UlvospinelCorrection { plain, reaction };

// dG of the chosen variant at T (K), in J/mol. T must be > 0.
double ulvospinelCorrection(UlvospinelCorrection variant, double temperatureK);

// Its T-derivative, -(dS_c + integral_Tr^T Cp_c / T dT), in J/(mol K).
double ulvospinelCorrectionSlope(UlvospinelCorrection variant, double temperatureK);

}  // namespace kelvorad::ge08
